// The year comparison of the analysis shown as a chart in place of the grid, switched from the
// grid's menu. The grid stays filled behind it: printing and export still work from the grid.
#include "QueryWindow.h"

#include "GridCtrl.h"
#include "YearChart.h"

#include <QAbstractScrollArea>

void CQueryWindow::ToggleChart() {
    if (!m_widget || !m_gridCtrl) return;
    if (m_chartView) {
        delete m_chartView.data();
        m_gridCtrl->show();
    } else {
        m_chartView = MakeYearChartView(m_query.Comparison(), m_widget);
        // The menu of the grid is reached from the chart too (a right click on its viewport
        // comes to the view).
        m_chartView->setContextMenuPolicy(Qt::CustomContextMenu);
        QWidget* surface = static_cast<QAbstractScrollArea*>(m_chartView.data())->viewport();
        QObject::connect(m_chartView, &QWidget::customContextMenuRequested, surface,
                         [this, surface](const QPoint& at) {
                             const QPoint global = surface->mapToGlobal(at);
                             ShowMenu(CPoint{global.x(), global.y()});
                         });
        m_gridCtrl->hide();
        m_chartView->show();
    }
    Layout();
}

void CQueryWindow::UpdateChart() {
    if (!m_chartView) return;
    if (m_query.IsAnalysisMode())
        ShowInYearChartView(m_chartView, m_query.Comparison());
    else
        ToggleChart(); // a table without analysis has no years to draw
}
