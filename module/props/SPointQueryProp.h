#pragma once
// Page "点数据查询" (dialog 902): the points of the point query with the statistics each offers
// (a grid edited with the list tool strip, new points picked with "选择站号"), the access mode,
// the data type, the grid background and the grid display mode with its styles, over a copy of
// the point-query settings that travels as their property string.
#include "GridIterator.h"
#include "PointQuerySettings.h"
#include "Wnd.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CSPointQueryProp;
}

class CGridCtrl;

class CSPointQueryProp : public QWidget, public CWnd {
public:
    static constexpr int kDialogId = 902;
    static constexpr int kGridId = 942;
    static constexpr int kGridFrame = 1044;
    static constexpr int kToolStrip = 1045;
    static constexpr int kBackground = 1046;
    static constexpr int kDisplayModeList = 1047;

    CSPointQueryProp(const CString& pointText, CWnd* owner, QWidget* parent);
    ~CSPointQueryProp() override;

    // Reads the controls back into the settings and encodes them into the property string.
    void Save(CString& pointText);

    const CPointQuerySettings& Settings() const { return m_settings; }
    const CStringArray& DisplayModes() const { return m_displayModes; }
    CGridIterator& Grid() { return m_grid; }
    CGridCtrl* GridCtrl() const { return m_gridCtrl; }

protected:
    void OnChildNotify(const CNotify& notify) override;

private:
    void Load();
    void FillGrid();
    void AddPoints();
    // Delete, move up or move down on the selected rows, the list first taken from the cells.
    void EditSelectedRows(int notification);
    void ChooseDisplayMode(int index);

    std::unique_ptr<Ui::CSPointQueryProp> m_ui;
    CPointQuerySettings m_settings;
    CStringArray m_displayModes;
    CGridIterator m_grid;
    CGridCtrl* m_gridCtrl; // a Qt child of the page
};
