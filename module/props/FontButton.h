#pragma once
// The "字" buttons of the pages: each shows the font it stands for and opens the font dialog.
#include "LogFont.h"

class QPushButton;

// Sets the button's text to "字" in the font.
void ShowFontOnButton(QPushButton& button, const LOGFONT& font);
// Opens the font dialog on the font; on OK the choice replaces it. The button shows the font
// either way.
void ChooseButtonFont(QPushButton& button, LOGFONT& font);
