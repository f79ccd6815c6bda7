#include "UnitEntrySheet.h"

#include "DialogButtons.h"
#include "QtConvert.h"
#include "UnitEntryForms.h"

#include <QTabWidget>
#include <QVBoxLayout>

CUnitEntrySheet::CUnitEntrySheet(const CString& formName, QWidget* parent)
    : QDialog(parent), CWnd(*this, 0, nullptr) {
    CString name = formName;
    name.Trim();
    setWindowTitle(ToQString(formName.GetString()));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    m_start = new CUnitStartPage(name, this, tabs);
    m_stop = new CUnitStopPage(name, this, tabs);
    tabs->addTab(m_start, "开机");
    tabs->addTab(m_stop, "停机");
    layout->addWidget(tabs);
    layout->addWidget(MakeOkCancelButtons(*this));
}

bool OpenUnitEntryForm(const CString& formName, QWidget* parent) {
    if (CUnitEntryCatalogue::SchemeOf(formName) == 0) return false;
    CUnitEntrySheet sheet(formName, parent);
    sheet.exec();
    return true;
}
