#include "UseGridWindow.h"

#include "DataService.h"
#include "Hooks.h"
#include "PrintDialog.h"
#include "QueryWindowModel.h"

#include <QFrame>
#include <QPainter>
#include <QPrinter>

CGridWindowWidget::CGridWindowWidget(CUseGridWindow& window, int controlId, CWnd* owner, QWidget* parent)
    : QWidget(parent), CWnd(*this, controlId, owner), m_window(window) {}

void CGridWindowWidget::OnChildNotify(const CNotify& notify) {
    m_window.OnChildNotify(notify);
}

void CGridWindowWidget::resizeEvent(QResizeEvent*) {
    m_window.Layout();
}

void CGridWindowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_window.Paint(painter);
}

CUseGridWindow::~CUseGridWindow() {
    DestroyWidget();
}

bool CUseGridWindow::CreateGridWindow(CWnd* owner, int controlId, const CRect& rect, unsigned,
                                      const char* className) {
    if (!owner) return false;
    DestroyWidget();
    m_widget = new CGridWindowWidget(*this, controlId, owner, &owner->GetWidget());
    m_widget->setProperty("windowClass", className);
    m_widget->setObjectName(className);
    m_widget->setAutoFillBackground(true);
    m_gridCtrl = new CGridCtrl(m_grid, kGridId, m_widget, m_widget);
    CreateChildren();
    MoveWidget(rect);
    m_widget->show();
    return true;
}

void CUseGridWindow::DestroyWidget() {
    delete m_widget.data(); // takes the grid control and the bar with it
}

void CUseGridWindow::ShowWidget(bool show) {
    if (m_widget) m_widget->setVisible(show);
}

void CUseGridWindow::MoveWidget(const CRect& rect) {
    if (!m_widget) return;
    m_widget->setGeometry(rect.left, rect.top, std::max<LONG>(rect.Width(), 0),
                          std::max<LONG>(rect.Height(), 0));
    Layout();
}

void CUseGridWindow::AddStaticEdge() {
    if (!m_widget) return;
    m_widget->setContentsMargins(1, 1, 1, 1);
    m_widget->setProperty("staticEdge", true);
}

void CUseGridWindow::Layout() {
    if (m_widget && m_gridCtrl) m_gridCtrl->setGeometry(m_widget->contentsRect());
}

void CUseGridWindow::ExportGrid(const CString& caption) {
    ui::SaveFileRequest request;
    request.filter = kExportFilter;
    ui::SaveFileAnswer answer;
    if (ui::SaveFileDialog(request, answer) != ui::IDOK || answer.path.IsEmpty()) return;
    CString error;
    if (!m_grid.SaveData(ExportPath(answer.path, answer.filterIndex), &error)) ui::MessageBox(error, caption);
}

void CUseGridWindow::PrintGrid(const CString& caption) {
    if (!m_gridCtrl) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!ui::PrintDialog(printer)) return;
    if (!m_gridCtrl->Print(printer)) ui::MessageBox("打印失败：打印机无法打开", caption);
}

bool CUseGridWindow::AskToModify(const CString& caption) {
    // Wrong names or passwords the login question takes before it gives up.
    constexpr int kLoginAttempts = 3;
    if (ui::MessageBox("是否进行数据修改", caption, ui::MB_OKCANCEL) != ui::IDOK) return false;
    CString user;
    int right = kLoginRefused;
    for (int attempt = 0; attempt < kLoginAttempts && right == kLoginRefused; ++attempt)
        right = KesLogin(m_widget.data(), &user, attempt == 0 ? "" : "用户名或口令错误，请重新输入", 3);
    if (right == kLoginRefused) ui::MessageBox("用户名或口令错误", caption);
    if (right == kLoginFailed) ui::MessageBox("无法核对用户：数据库不可用", caption);
    if (right == 0) ui::MessageBox("用户" + user + "没有修改数据的权限", caption);
    return right >= 1;
}
