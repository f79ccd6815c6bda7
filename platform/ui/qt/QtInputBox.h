#pragma once
// The windowed build's one-line question: the prompt as the caption of a box around the edit,
// OK and Cancel below.
#include "InputBox.h"

class QWidget;

namespace ui {
InputBoxResponder QtInputBoxResponder(QWidget* parent = nullptr);
}
