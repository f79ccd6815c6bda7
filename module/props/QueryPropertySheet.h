#pragma once
// The element's property sheet "系统设置查询属性": the pages "功能选择", "系统设置与简单查询" and
// "点数据查询" over the element's configuration (see ElementProperties.h), OK and Cancel.
#include "ElementProperties.h"
#include "Wnd.h"

#include <QDialog>

#include <array>

class CSPointQueryProp;
class CSelectProp;
class CVexorQueryProp;
class QTabWidget;

class CQueryPropertySheet : public QDialog, public CWnd {
public:
    static constexpr int kSheetId = 0;

    CQueryPropertySheet(CElementPropertyPages& pages, CWnd* owner);

    // Runs the sheet modally (through ui::RunModal); true when it closed with OK and the pages
    // were stored.
    bool DoModal();

private:
    // Stores every page that was shown; a page never opened keeps what it was given. False,
    // after telling the user why, when a page refuses its values.
    bool SavePages();

    CElementPropertyPages& m_pages;
    QTabWidget* m_tabs;
    CSelectProp* m_selectPage;
    CVexorQueryProp* m_queryPage;
    CSPointQueryProp* m_pointPage;
    std::array<bool, 3> m_shown{};
    bool m_saved = false;
};

// The runner the element calls (SetPropertySheetRunner).
bool RunQueryPropertySheet(CElementPropertyPages& pages, CWnd* owner);
