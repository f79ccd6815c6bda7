// The chart of a year comparison: a missing period is a gap in its year's line, never a zero,
// and a value alone between gaps is still drawn.
#include "YearChart.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QXYSeries>

#include <gtest/gtest.h>

TEST(YearChartTest, MissingPeriodsAreGapsAndEachYearHasOneLegendEntry) {
    CYearComparison c;
    c.years = {2024, 2025};
    for (const char* p : {"05-01", "05-02", "05-03", "05-04", "05-05"})
        c.periods.Add(p);
    c.values = {{1.0, 2.0}, {1.5, 2.5}, {1.2, std::nullopt}, {1.1, std::nullopt}, {1.0, 3.0}};
    QChartView view(MakeYearChart(c).release());
    view.show();
    QChart* chart = view.chart();
    std::vector<QList<QPointF>> of2025;
    int legendEntries = 0;
    for (QAbstractSeries* s : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(s);
        ASSERT_NE(xy, nullptr);
        for (QLegendMarker* marker : chart->legend()->markers(s))
            legendEntries += marker->isVisible();
        if (s->name() == "2025年") of2025.push_back(xy->points());
    }
    EXPECT_EQ(legendEntries, 2);
    // 05-01..05-02 as a line, 05-05 alone; nothing at 05-03 and 05-04.
    ASSERT_EQ(of2025.size(), 2u);
    EXPECT_EQ(of2025[0], (QList<QPointF>{{0, 2.0}, {1, 2.5}}));
    EXPECT_EQ(of2025[1], (QList<QPointF>{{4, 3.0}}));
}

// A month of days at the size of the window's grid: every period label shown along the bottom
// is readable, none cut to "...".
TEST(YearChartTest, TheLabelsOfAMonthOfDaysAreShownWhole) {
    CYearComparison c;
    c.years = {2024, 2025};
    for (int day = 1; day <= 31; ++day) {
        c.periods.Add(QString("05-%1").arg(day, 2, 10, QChar('0')).toStdString().c_str());
        c.values.push_back({46.0 + day % 5, 45.0 + day % 3});
    }
    QChartView view(MakeYearChart(c).release());
    view.resize(810, 670);
    view.show();
    QApplication::processEvents();
    QStringList labels;
    for (QGraphicsItem* item : view.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            labels << text->toPlainText();
    EXPECT_TRUE(labels.contains("05-01")) << labels.join(' ').toStdString();
    for (const QString& label : labels)
        EXPECT_FALSE(label.endsWith("...")) << label.toStdString();
}
