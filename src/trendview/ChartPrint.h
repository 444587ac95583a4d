#pragma once

#include <functional>

#include <QDateTime>
#include <QString>

class QPainter;
class QPrinter;
class QRect;
class QWidget;
class TrendChartView;

// "F3 打印": the chart as it is on screen (grid, curves, axis labels,
// legend, time axis) on one landscape page, headed by the station's name,
// the period the chart shows and, where they belong to a moment of it or to
// the moment of printing, the PV, SV and OP the panel shows with that moment.
struct ChartPrintHeading {
    QString title;         // the main window's caption
    QString period;        // which curve, from when to when; empty for an empty chart
    QString valuesMoment;  // whose values these are; empty: no values line
    QString pv, sv, op;    // as the panel shows them
};

// Renders the page into any painter (printer, PDF, picture).
void renderChartPage(QPainter& painter, const QRect& page, TrendChartView& view, const ChartPrintHeading& heading);

// Prints one page onto the printer; false when the printer cannot start.
bool printChart(QPrinter& printer, TrendChartView& view, const ChartPrintHeading& heading);

// Writes the page as a PDF file, without any dialog.
bool printChartToPdf(const QString& path, TrendChartView& view, const ChartPrintHeading& heading);

// The platform's print dialog (printing to a PDF file included), opened
// without blocking the window; prints when the operator accepts it and then
// tells whether the printer took the page.
void openPrintDialog(QWidget* parent, TrendChartView& view, const ChartPrintHeading& heading,
                     std::function<void(bool printed)> finished);
