#pragma once
// Dialog 904 "高级设置": the element's own column settings (column grid), its time and ID
// conditions with the key mapping and the filter items (filter grid with its tool strip), the
// query's special flags and the RTU choices. It edits the element's query options in place:
// "时间条件", "增加", "初始化设置" and the tool strip change them at once, which stays even when
// the dialog is cancelled; OK stores the check boxes, texts and grid cells.
#include "AdvancedSettings.h"
#include "DirectiveSet.h"
#include "GridIterator.h"
#include "SelectionItems.h"
#include "WindowSettings.h"
#include "Wnd.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class CAdvancedSetDlg;
}

class CGridCtrl;
class CListToolStrip;

class CAdvancedSetDlg : public QDialog, public CWnd {
public:
    static constexpr int kDialogId = 904;
    static constexpr int kColumnGridId = 942;
    static constexpr int kFilterGridId = 943;

    CAdvancedSetDlg(CWindowSettings& window, CQueryOptions& options, CQuerySettings& query, CWnd* owner,
                    QWidget* parent = nullptr);
    ~CAdvancedSetDlg() override;

    int DoModal();

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    void LoadFlags();
    void ShowKeyColumns();
    void EnableIdPart(bool on);
    void ShowOfferedBoxes();
    void FillColumnGrid();
    void FillFilterGrid();
    void ClickTimeCondition(bool on);
    void AddStationItem();
    void AddFilterItem();
    void EditFilterRows(int notification);
    void Initialise();
    bool Accept();

    std::unique_ptr<Ui::CAdvancedSetDlg> m_ui;
    CWindowSettings& m_window;
    CQueryOptions& m_options;
    CQuerySettings& m_query;
    // The column list and selection items in use: the options' own while the advanced flag is
    // set, none otherwise.
    CColumnList* m_columns = nullptr;
    CSelectItems* m_items = nullptr;
    CStringArray m_schemeChoices;
    std::vector<CDataChar> m_dataChars;
    CGridIterator m_columnGrid;
    CGridIterator m_filterGrid;
    CGridCtrl* m_columnCtrl; // Qt children of the dialog
    CGridCtrl* m_filterCtrl;
    CListToolStrip* m_strip;
    LOGFONT m_singleFont;
};
