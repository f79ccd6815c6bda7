// The chart of a year comparison: a missing period is a gap in its year's line, never a zero,
// and a value alone between gaps is still drawn.
#include "YearChart.h"

#include <QChart>
#include <QChartView>
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
    QChartView view;
    view.setChart(MakeYearChart(c).release());
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
