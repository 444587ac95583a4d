#include "trendview/ChartPrint.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "trendview/TrendChartView.h"

void renderChartPage(QPainter& painter, const QRect& page, TrendChartView& view, const ChartPrintHeading& heading)
{
    painter.save();
    const int lineHeight = page.height() / 24;

    QFont titleFont = view.font();
    titleFont.setPixelSize(lineHeight);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    const QRect titleRect(page.left(), page.top(), page.width(), lineHeight * 3 / 2);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, heading.title);

    QFont textFont = view.font();
    textFont.setPixelSize(lineHeight * 2 / 3);
    textFont.setBold(false);
    painter.setFont(textFont);
    painter.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, heading.period);
    const QString values =
        heading.valuesMoment.isEmpty()
            ? QString()
            : QCoreApplication::translate("ChartPrint", "%1：测量值PV %2    设定值SV %3    输出值OP %4 %")
                  .arg(heading.valuesMoment, heading.pv, heading.sv, heading.op);
    const QRect valuesRect(page.left(), titleRect.bottom() + lineHeight / 4, page.width(), lineHeight);
    painter.drawText(valuesRect, Qt::AlignLeft | Qt::AlignVCenter, values);

    // The chart as on screen, scaled to fit the rest of the page with its
    // proportions kept.
    const QRect chartArea(page.left(), valuesRect.bottom() + lineHeight / 2, page.width(),
                          page.bottom() - valuesRect.bottom() - lineHeight / 2);
    const QSize size = view.size();
    const double scale = std::min(chartArea.width() / static_cast<double>(size.width()),
                                  chartArea.height() / static_cast<double>(size.height()));
    painter.translate(chartArea.topLeft());
    painter.scale(scale, scale);
    view.renderAsDrawing(painter);
    painter.restore();
}

bool printChart(QPrinter& printer, TrendChartView& view, const ChartPrintHeading& heading)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the top left of the printable area.
    const QSize printable = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    renderChartPage(painter, QRect(QPoint(0, 0), printable), view, heading);
    return painter.end();
}

bool printChartToPdf(const QString& path, TrendChartView& view, const ChartPrintHeading& heading)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printChart(printer, view, heading);
}

void openPrintDialog(QWidget* parent, TrendChartView& view, const ChartPrintHeading& heading,
                     std::function<void(bool printed)> finished)
{
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    auto* dialog = new QPrintDialog(printer, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog, [printer, &view, heading, finished](int result) {
        if (result == QDialog::Accepted)
            finished(printChart(*printer, view, heading));
        delete printer;
    });
    dialog->open();  // window-modal at most, and the event loop keeps running
}
