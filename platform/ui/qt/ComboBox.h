#pragma once
// A drop-down list (no typing). Tells the owner CBN_SELCHANGE when the user chooses an entry.
// Adding entries selects nothing; an empty combo box has no selection.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QComboBox>

class CComboBox : public QComboBox, public CWnd {
public:
    CComboBox(int controlId, CWnd* owner, QWidget* parent = nullptr);

    // Index of the new entry (appended at the end).
    int AddString(const CString& text);
    void ResetContent();
    int GetCount() const { return count(); }
    // Empty when index is out of range.
    CString GetLBText(int index) const;
    void GetLBText(int index, CString& text) const { text = GetLBText(index); }
    // The selected entry, CB_ERR when none.
    int GetCurSel() const { return currentIndex() >= 0 ? currentIndex() : CB_ERR; }
    // -1 clears the selection; CB_ERR for an index out of range (the selection is cleared).
    int SetCurSel(int index);

private:
    template <class F> void Quietly(F&& change) {
        const bool was = m_quiet;
        m_quiet = true;
        change();
        m_quiet = was;
    }
    bool m_quiet = false;
};
