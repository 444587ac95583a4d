#include "export/PeriodReport.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "export/ExportLog.h"
#include "export/MinMaxReduction.h"
#include "export/PeriodSampleSource.h"
#include "export/PeriodStatistics.h"
#include "export/ReportJournal.h"
#include "export/ReportPages.h"
#include "export/ReportTrend.h"

namespace {

constexpr int kResolution = 300;  // dots per inch: fine lines, a file of lines and text

// Both ends are seconds the period holds, as the export dialog names them:
// the end shown is the last second before the exclusive end.
QString periodText(const PeriodReportRequest& r)
{
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    const QDateTime lastSecond = r.to.addMSecs(-1).toOffsetFromUtc(r.from.offsetFromUtc());
    return QCoreApplication::translate("PeriodReport", "时段 %1 至 %2")
        .arg(r.from.toString(format), lastSecond.toString(format));
}

QString pageText(int page, int pages)
{
    return QCoreApplication::translate("PeriodReport", "第 %1 页 / 共 %2 页").arg(page).arg(pages);
}

ShownText words(const char* source)
{
    return ShownText("PeriodReport", source);
}

} // namespace

bool writePeriodReport(const PeriodReportRequest& request, QString& error)
{
    ShownText why;
    const bool written = writePeriodReport(request, why);
    error = why.shown();
    return written;
}

bool writePeriodReport(const PeriodReportRequest& request, ShownText& error)
{
    if (!request.samples || !request.from.isValid() || !request.to.isValid() || request.to <= request.from) {
        error = words(QT_TRANSLATE_NOOP("PeriodReport", "报表时段无效"));
        return false;
    }
    const int64_t from = request.from.toMSecsSinceEpoch();
    const int64_t to = request.to.toMSecsSinceEpoch();

    // One pass over the samples feeds both the curve and the numbers.
    MinMaxReduction reduction(from, to, request.columns);
    PeriodStatisticsAccumulator statistics(from, to, request.band);
    QString readError;
    const bool read = request.samples->read(
        from, to,
        [&](const PeriodSample& sample) {
            reduction.add(sample);
            statistics.add(sample);
        },
        readError);
    if (!read) {
        error = words(QT_TRANSLATE_NOOP("PeriodReport", "读取记录失败：%1")).arg(readError);
        return false;
    }
    const PeriodStatistics totals = statistics.result();
    const ReportJournal journal =
        request.journal ? *request.journal : readReportJournal(request.journalPath, request.from, request.to);
    if (!journal.error.isEmpty())
        qCWarning(exportLog) << "period report without the journal:" << journal.error;

    QSaveFile file(request.path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = words(QT_TRANSLATE_NOOP("PeriodReport", "不能写入报表文件：%1")).arg(file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    writer.setTitle(QCoreApplication::translate("PeriodReport", "周期报表 %1").arg(request.instrument));
    writer.setCreator(QStringLiteral("TQ5800"));

    QPainter painter;
    if (!painter.begin(&writer)) {
        error = words(QT_TRANSLATE_NOOP("PeriodReport", "不能生成报表文件"));
        return false;
    }
    // The painter's origin is the top left of the printable area.
    const ReportLayout layout(QRect(QPoint(0, 0), writer.pageLayout().paintRectPixels(kResolution).size()));
    const QString title = QCoreApplication::translate("PeriodReport", "周期报表  %1").arg(request.instrument);
    const QString period = periodText(request);

    // The heading takes less than four lines.
    const QRect tablePage(layout.page.left(), layout.page.top() + layout.line * 4, layout.page.width(),
                          layout.page.height() - layout.line * 4);
    const size_t rowsPerPage = static_cast<size_t>(journalRowsFitting(layout, tablePage));
    const size_t rows = journal.events.size();
    const int pages = 1 + static_cast<int>((rows + rowsPerPage - 1) / rowsPerPage);

    const int top = drawReportHeading(painter, layout, title, period, pageText(1, pages));
    // Seven rows of one and a half lines, below a line of space.
    const int statisticsHeight = layout.line * 23 / 2;
    const QRect trend(layout.page.left(), top + layout.line, layout.page.width(),
                      layout.page.bottom() - statisticsHeight - top - layout.line);
    drawReportTrend(painter, trend, reduction, layout.text, request.from.offsetFromUtc());
    const QRect numbers(layout.page.left(), trend.bottom() + layout.line, layout.page.width(),
                        layout.page.bottom() - trend.bottom() - layout.line);
    drawReportStatistics(painter, layout, numbers, totals, request.band, journal);

    for (int page = 2; page <= pages; ++page) {
        writer.newPage();
        drawReportHeading(painter, layout, title, period, pageText(page, pages));
        drawJournalTable(painter, layout, tablePage, journal.events, static_cast<size_t>(page - 2) * rowsPerPage,
                         rowsPerPage);
    }
    if (!painter.end() || !file.commit()) {
        error = words(QT_TRANSLATE_NOOP("PeriodReport", "不能写入报表文件：%1")).arg(file.errorString());
        return false;
    }
    return true;
}
