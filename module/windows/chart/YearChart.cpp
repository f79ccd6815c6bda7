#include "YearChart.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSaveFile>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int kMostAxisLabels = 16;

// Lines of one year: one series per stretch of periods that all have a value.
void AddYear(QChart& chart, const CYearComparison& c, std::size_t year, const QColor& colour) {
    const QString name = QString("%1年").arg(c.years[year]);
    bool named = false;
    auto add = [&](QXYSeries* series) {
        series->setColor(colour);
        series->setName(name);
        chart.addSeries(series);
        // One legend entry per year.
        if (named)
            for (QLegendMarker* marker : chart.legend()->markers(series))
                marker->setVisible(false);
        named = true;
    };
    const std::size_t periods = c.values.size();
    std::size_t p = 0;
    while (p < periods) {
        if (!c.values[p][year]) {
            ++p;
            continue;
        }
        std::size_t end = p;
        while (end < periods && c.values[end][year])
            ++end;
        QXYSeries* series = nullptr;
        if (end - p == 1) {
            auto* point = new QScatterSeries;
            point->setMarkerSize(7);
            point->setBorderColor(colour);
            series = point;
        } else {
            auto* line = new QLineSeries;
            QPen pen(colour);
            pen.setWidthF(2);
            line->setPen(pen);
            series = line;
        }
        for (std::size_t k = p; k < end; ++k)
            series->append(double(k), *c.values[k][year]);
        add(series);
        p = end;
    }
    if (!named) { // a year without any value still has its legend entry
        auto* empty = new QLineSeries;
        add(empty);
    }
}

} // namespace

std::unique_ptr<QChart> MakeYearChart(const CYearComparison& c) {
    auto chart = std::make_unique<QChart>();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setTitle(QString::fromStdString(c.valueHeading.str()));
    static const QColor kColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                      QColor(0x2c, 0xa0, 0x2c), QColor(0xff, 0x7f, 0x0e),
                                      QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                      QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                      QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};
    for (std::size_t y = 0; y < c.years.size(); ++y)
        AddYear(*chart, c, y, kColours[y % std::size(kColours)]);

    // Periods along the bottom, labelled at a stride that keeps the labels apart.
    auto* periods = new QCategoryAxis;
    periods->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Upright labels are cut to "05-..." once the periods stand closer than a label is wide.
    periods->setLabelsAngle(-90);
    const int count = c.periods.GetSize();
    const int stride = std::max(1, (count + kMostAxisLabels - 1) / kMostAxisLabels);
    for (int p = 0; p < count; p += stride)
        periods->append(QString::fromStdString(c.periods[p].str()), p);
    periods->setRange(0, std::max(count - 1, 1));
    auto* values = new QValueAxis;
    std::optional<double> low, high;
    for (const auto& row : c.values)
        for (const auto& v : row)
            if (v) {
                low = std::min(low.value_or(*v), *v);
                high = std::max(high.value_or(*v), *v);
            }
    const double margin = low ? std::max((*high - *low) * 0.05, 0.01) : 1;
    values->setRange(low.value_or(0) - margin, high.value_or(1) + margin);
    values->setLabelFormat(QString("%.%1f").arg(std::clamp(c.decimals, 0, 6)));
    values->applyNiceNumbers();
    chart->addAxis(periods, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(periods);
        series->attachAxis(values);
    }
    return chart;
}

QWidget* MakeYearChartView(const CYearComparison& comparison, QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    ShowInYearChartView(view, comparison);
    return view;
}

void ShowInYearChartView(QWidget* view, const CYearComparison& comparison) {
    auto* chartView = qobject_cast<QChartView*>(view);
    if (!chartView) return;
    QChart* old = chartView->chart();
    chartView->setChart(MakeYearChart(comparison).release()); // the view owns its chart
    delete old;
}

bool WriteYearChartPng(const CYearComparison& comparison, const std::string& path, std::string& error,
                       int width, int height) {
    std::unique_ptr<QApplication> app;
    static int argc = 1;
    static char name[] = "vexorquery";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    QChartView view(MakeYearChart(comparison).release()); // made with its chart, which it owns
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(width, height);
    const QImage picture = view.grab().toImage();
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        error = "cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}
