#include "ComboBox.h"

CComboBox::CComboBox(int controlId, CWnd* owner, QWidget* parent)
    : QComboBox(parent), CWnd(*this, controlId, owner) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_quiet) NotifyOwner(CBN_SELCHANGE);
    });
}

int CComboBox::AddString(const CString& text) {
    Quietly([&] {
        const int selected = currentIndex();
        addItem(ToQString(text.GetString()));
        // The first entry of an empty box would otherwise become selected by itself.
        setCurrentIndex(selected);
    });
    return count() - 1;
}

void CComboBox::ResetContent() {
    Quietly([&] { clear(); });
}

CString CComboBox::GetLBText(int index) const {
    if (index < 0 || index >= count()) return {};
    return ToCString(itemText(index));
}

int CComboBox::SetCurSel(int index) {
    const bool valid = index >= 0 && index < count();
    Quietly([&] { setCurrentIndex(valid ? index : -1); });
    return valid ? index : CB_ERR;
}
