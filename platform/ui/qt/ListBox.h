#pragma once
// A list of texts. Chosen at creation: single selection, which tells the owner LBN_SELCHANGE
// when the user selects an entry and LBN_DBLCLK on a double click; or multiple selection (a
// click toggles an entry), which tells nothing: the owner reads the selection when it needs it.
#include "Controls.h"
#include "QtConvert.h"
#include "Wnd.h"

#include <QListWidget>

#include <vector>

class CListBox : public QListWidget, public CWnd {
public:
    CListBox(int controlId, CWnd* owner, QWidget* parent = nullptr, bool multipleSelection = false);

    bool IsMultipleSelection() const { return m_multiple; }

    // Index of the new entry (appended at the end).
    int AddString(const CString& text);
    // Index of the entry, LB_ERR when index is out of range.
    int InsertString(int index, const CString& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const { return count(); }
    // Empty when index is out of range.
    CString GetText(int index) const;
    void GetText(int index, CString& text) const { text = GetText(index); }
    // First entry at or after start whose text begins with prefix (case-insensitive), LB_ERR
    // when there is none.
    int FindString(int start, const CString& prefix) const;

    // Single selection: the selected entry or LB_ERR; SetCurSel(-1) clears the selection.
    int GetCurSel() const;
    int SetCurSel(int index);
    // Either mode: selects or deselects one entry (-1: every entry in multiple selection).
    int SetSel(int index, bool select = true);
    // Positive when the entry is selected, 0 when not, LB_ERR when out of range.
    int GetSel(int index) const;
    int GetSelCount() const;
    // Selected entries in ascending order.
    std::vector<int> GetSelItems() const;

    // Width in pixels the entries need; the horizontal scroll bar shows only when it is wider
    // than the list.
    void SetHorizontalExtent(int extent);
    int GetHorizontalExtent() const { return m_extent; }
    // Width of a text in the list's font, for fitting the extent.
    int GetTextExtent(const CString& text) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBar();
    template <class F> void Quietly(F&& change) {
        const bool was = m_quiet;
        m_quiet = true;
        change();
        m_quiet = was;
    }

    bool m_multiple;
    bool m_quiet = false;
    bool m_selectionSent = false; // a selection change was reported during the current press
    int m_extent = 0;
};
