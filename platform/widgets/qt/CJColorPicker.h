#pragma once
// The colour picker of the widget library: a button that shows its colour (COLORREF, red in the
// low byte). A click opens a popup of standard colours, an "自动" entry for the default colour
// and "其他颜色..." for any colour (through ui::ChooseColor, so that tests answer it). Tells the
// owner CPN_SELENDOK when the user has picked a colour; SetColor tells nothing.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QPushButton>

#include <vector>

class QFrame;

constexpr int CPN_SELENDOK = 0x0502;

class CCJColorPicker : public QPushButton, public CWnd {
public:
    CCJColorPicker(int controlId, CWnd* owner, QWidget* parent = nullptr);

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF colour);
    // The colour of the "自动" entry.
    COLORREF GetDefaultColor() const { return m_default; }
    void SetDefaultColor(COLORREF colour) { m_default = colour; }

    // The popup of colours (hidden until the button is clicked); each colour entry is a
    // button with the property "colorRef".
    QFrame& GetPopup() const { return *m_popup; }
    void ShowPopup();

    // The colours the popup offers, row by row.
    static const std::vector<COLORREF>& StandardColors();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void BuildPopup();
    void Pick(COLORREF colour);
    void PickOther();

    COLORREF m_color = RGB(0, 0, 0);
    COLORREF m_default = RGB(0, 0, 0);
    QFrame* m_popup; // a Qt child of the button
};
