#include "QueryPropertySheet.h"

#include "Hooks.h"
#include "QtConvert.h"
#include "SPointQueryProp.h"
#include "SelectProp.h"
#include "VexorQueryProp.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QWidget* OwnerWidget(CWnd* owner) {
    return owner ? &owner->GetWidget() : nullptr;
}
} // namespace

CQueryPropertySheet::CQueryPropertySheet(CElementPropertyPages& pages, CWnd* owner)
    : QDialog(OwnerWidget(owner)), CWnd(*this, kSheetId, owner), m_pages(pages),
      m_tabs(new QTabWidget(this)) {
    setWindowTitle("系统设置查询属性");
    m_selectPage = new CSelectProp(pages.interfaceText, pages.sysView, this, m_tabs);
    m_queryPage = new CVexorQueryProp(pages.query, pages.windowText, this, m_tabs);
    m_queryPage->SetQueryOptions(pages.options);
    m_pointPage = new CSPointQueryProp(pages.pointText, this, m_tabs);
    m_tabs->addTab(m_selectPage, "功能选择");
    m_tabs->addTab(m_queryPage, "系统设置与简单查询");
    m_tabs->addTab(m_pointPage, "点数据查询");
    m_shown[0] = true;
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < int(m_shown.size())) m_shown[size_t(index)] = true;
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        m_saved = SavePages();
        if (m_saved) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

bool CQueryPropertySheet::SavePages() {
    // The pages store into copies first, so that a refusal leaves the sheet's pages untouched.
    CElementPropertyPages saved = m_pages;
    CString message;
    const bool stored = (!m_shown[0] || m_selectPage->Save(saved.interfaceText, message)) &&
                        (!m_shown[1] || m_queryPage->Save(saved.windowText, message));
    if (!stored) {
        ui::MessageBox(message);
        return false;
    }
    if (m_shown[2]) m_pointPage->Save(saved.pointText);
    saved.query = m_pages.query;
    m_pages = saved;
    return true;
}

bool CQueryPropertySheet::DoModal() {
    const int answer =
        ui::RunModal(*this, [this] { return exec() == QDialog::Accepted ? ui::IDOK : ui::IDCANCEL; });
    if (answer != ui::IDOK) return false;
    return m_saved || SavePages();
}

bool RunQueryPropertySheet(CElementPropertyPages& pages, CWnd* owner) {
    CQueryPropertySheet sheet(pages, owner);
    return sheet.DoModal();
}
