#pragma once
// Page "系统设置与简单查询" (dialog 901): the table query (table, stations, time type, access
// mode, query-bar style) and the window's look (panel colour, window font, menu entry), over a
// copy of the query settings and of the window settings, which travel as their property string.
#include "QueryOptions.h"
#include "QuerySettings.h"
#include "WindowSettings.h"
#include "Wnd.h"

#include <QWidget>

#include <memory>

namespace Ui {
class CVexorQueryProp;
}

class CVexorQueryProp : public QWidget, public CWnd {
public:
    static constexpr int kDialogId = 901;

    // query is the sheet's copy of the element's query settings.
    CVexorQueryProp(CQuerySettings& query, const CString& windowText, CWnd* owner, QWidget* parent);
    ~CVexorQueryProp() override;

    // Reads the controls back into the query settings and the window-settings property string;
    // false with the page's message when a number is refused (nothing is stored then).
    bool Save(CString& windowText, CString& message);

    // The element's own query options, which "高级设置" edits in place.
    void SetQueryOptions(CQueryOptions* options) { m_options = options; }

private:
    void Load();
    void FillTableList();
    void OpenAdvanced();
    // "...": the data-entry form chosen with dialog 916 replaces the form name.
    void ChooseEntryForm();
    CString TableText() const;

    std::unique_ptr<Ui::CVexorQueryProp> m_ui;
    CQuerySettings& m_query;
    CWindowSettings m_window;
    LOGFONT m_windowFont;
    CQueryOptions* m_options = nullptr;
};
