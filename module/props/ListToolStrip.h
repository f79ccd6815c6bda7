#pragma once
// The list tool strip of the settings dialogs: a caption with four flat buttons at its right
// end that add, delete, move up and move down the rows of the list below it. A click tells the
// strip's owner through the notification codes 1124 to 1127.
#include "Wnd.h"

#include <QFrame>

class CGridCtrl;
class QLabel;

class CListToolStrip : public QFrame, public CWnd {
public:
    static constexpr int kNotifyAdd = 1124;
    static constexpr int kNotifyDelete = 1125;
    static constexpr int kNotifyMoveUp = 1126;
    static constexpr int kNotifyMoveDown = 1127;
    // The buttons' control ids, left to right.
    static constexpr int kButtonIds[4] = {1001, 1005, 1009, 1016};

    CListToolStrip(int controlId, CWnd* owner, QWidget* parent);
    void SetCaption(const CString& caption);
    CString Caption() const;

protected:
    void OnChildNotify(const CNotify& notify) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* m_caption; // a Qt child of the strip
};

// The rows of the grid's selection that the strip's edits work on, first..last; false when no
// row is selected.
bool SelectedRowSpan(const CGridCtrl& grid, long& first, long& last);
// Selects the grid's rows first..last from column 1 to its last column, as a move takes the
// selection along.
void SelectGridRows(CGridCtrl& grid, long first, long last);
