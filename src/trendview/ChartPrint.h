#pragma once

#include <QDateTime>
#include <QString>

class QPainter;
class QPrinter;
class QRect;
class QWidget;
class TrendChartView;

// "F3 打印": the chart as it is on screen (grid, curves, axis labels,
// legend, time axis) on one landscape page, headed by the station's name,
// the date and time of the view and the instrument's PV, SV and OP at the
// moment of printing.
struct ChartPrintHeading {
    QString title;        // the main window's caption
    QString viewTime;     // date and time of the view, as the header shows it
    QString pv, sv, op;   // as the live panel shows them
};

// Renders the page into any painter (printer, PDF, picture).
void renderChartPage(QPainter& painter, const QRect& page, TrendChartView& view, const ChartPrintHeading& heading);

// Prints one page onto the printer; false when the printer cannot start.
bool printChart(QPrinter& printer, TrendChartView& view, const ChartPrintHeading& heading);

// Writes the page as a PDF file, without any dialog.
bool printChartToPdf(const QString& path, TrendChartView& view, const ChartPrintHeading& heading);

// The platform's print dialog (printing to a PDF file included), opened
// without blocking the window; prints when the operator accepts it.
void openPrintDialog(QWidget* parent, TrendChartView& view, const ChartPrintHeading& heading);
