#include "QueryDialog.h"

#include "QueryBarModel.h"

#include <QApplication>
#include <QResizeEvent>

CQueryDialog::CQueryDialog(EBarKind flavour, const CQueryBarRecords& records, QWidget* parent,
                           std::function<void()> onRefresh, std::function<void(const CString&)> onStationText)
    : QDialog(parent), CWnd(*this, kDialogId, nullptr), m_onRefresh(std::move(onRefresh)),
      m_onStationText(std::move(onStationText)) {
    setWindowTitle("查询");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    // The bar starts at the top-left corner at 200 x 100 and then takes the height its rows need.
    m_bar = CreateQueryBar(flavour, records, *this);
    if (!m_bar) return;
    QWidget& bar = m_bar->Wnd().GetWidget();
    bar.setGeometry(0, 0, 200, 100);
    // Measured with room to spare: at 100 pixels the bar would shorten its station list to fit.
    bar.resize(200, QWIDGETSIZE_MAX);
    QResizeEvent measure(bar.size(), QSize(200, 100));
    QApplication::sendEvent(&bar, &measure);
    const int height = m_bar->RowsHeight();
    bar.setGeometry(0, 0, 200, height);
    setFixedSize(200 + 8, height);
}

void CQueryDialog::OnChildNotify(const CNotify& notify) {
    if (notify.controlId != 941) return;
    if (notify.code == kNotifyStationText && m_onStationText) {
        m_onStationText(notify.text);
    } else if (notify.code == kNotifyRefresh) {
        if (m_onRefresh) m_onRefresh();
        close();
    }
}
