#include "FontButton.h"

#include "Hooks.h"
#include "QtConvert.h"

#include <QPushButton>

void ShowFontOnButton(QPushButton& button, const LOGFONT& font) {
    button.setFont(LogFontToQFont(font));
    button.setText("字");
    button.update();
}

void ChooseButtonFont(QPushButton& button, LOGFONT& font) {
    LOGFONT chosen = font;
    if (ui::ChooseFont(chosen) == ui::IDOK) font = chosen;
    ShowFontOnButton(button, font);
}
