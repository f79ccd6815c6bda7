#pragma once
// The year comparison as a chart: one line per year over the period axis, in the order of the
// grid's columns. A period without a value breaks its year's line (a gap, never a zero); a value
// standing alone between gaps shows as a point.
#include "YearComparison.h"

#include <QString>

#include <memory>
#include <string>

class QChart;
class QWidget;

std::unique_ptr<QChart> MakeYearChart(const CYearComparison& comparison);

// A view of the chart for a window (a scroll area: its viewport takes the mouse); the second
// replaces the chart it shows.
QWidget* MakeYearChartView(const CYearComparison& comparison, QWidget* parent);
void ShowInYearChartView(QWidget* view, const CYearComparison& comparison);

// Writes the chart as a PNG picture of the given size; needs no screen (a program without a
// Qt application gets an offscreen one for the time of the call). The file appears only when
// it is completely written. False with the reason.
bool WriteYearChartPng(const CYearComparison& comparison, const std::string& path, std::string& error,
                       int width = 1000, int height = 560);
