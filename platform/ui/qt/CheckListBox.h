#pragma once
// A list whose entries carry check boxes. Tells the owner CLBN_CHKCHANGE with the entry in row
// when the user ticks or clears an entry.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QListWidget>

class CCheckListBox : public QListWidget, public CWnd {
public:
    CCheckListBox(int controlId, CWnd* owner, QWidget* parent = nullptr);

    // Index of the new entry, unticked.
    int AddString(const CString& text);
    void ResetContent();
    int GetCount() const { return count(); }
    CString GetText(int index) const;
    // Out-of-range indices are ignored; GetCheck answers BST_UNCHECKED for them.
    void SetCheck(int index, int check);
    int GetCheck(int index) const;

private:
    template <class F> void Quietly(F&& change) {
        const bool was = m_quiet;
        m_quiet = true;
        change();
        m_quiet = was;
    }
    bool m_quiet = false;
};
