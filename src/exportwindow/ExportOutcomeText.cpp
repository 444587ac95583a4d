#include "exportwindow/ExportOutcomeText.h"

#include <QStringList>

namespace {

// The CSV writer gives its reasons in English, for logs and the command
// line; the operator reads them in Chinese, the English stays in the
// tooltip. The report's reasons are already the operator's words.
QString whyNotWritten(ExportKind kind, const PeriodExportOutcome& outcome)
{
    if (kind == ExportKind::Report)
        return outcome.error;
    switch (outcome.csvFailure) {
    case PeriodCsv::Failure::NoSamples:
        return QStringLiteral("这段时间没有记录");
    case PeriodCsv::Failure::CannotReadHistory:
        return QStringLiteral("历史数据库不能读取");
    case PeriodCsv::Failure::CannotWrite:
        return QStringLiteral("文件不能写入");
    case PeriodCsv::Failure::None:
        break;
    }
    return QStringLiteral("导出失败");
}

} // namespace

namespace ExportOutcomeText {

ExportOutcomeLine describe(ExportKind kind, const QString& path, const PeriodExportOutcome& outcome)
{
    ExportOutcomeLine line;
    if (outcome.cancelled) {
        line.text = QStringLiteral("导出已取消，未写入文件");
        return line;
    }
    if (!outcome.written) {
        line.text = QStringLiteral("未写入文件：%1").arg(whyNotWritten(kind, outcome));
        line.detail = outcome.error;
        return line;
    }
    line.text = kind == ExportKind::Csv ? QStringLiteral("已导出 %1 个采样：%2").arg(outcome.samples).arg(path)
                                        : QStringLiteral("报表已写入（%1 个采样）：%2").arg(outcome.samples).arg(path);
    if (!outcome.skipped.empty()) {
        QStringList names;
        QStringList reasons;
        for (const PeriodSamples::SkippedFile& file : outcome.skipped) {
            names.append(file.name);
            reasons.append(QStringLiteral("%1: %2").arg(file.name, file.reason));
        }
        line.text += QStringLiteral("；跳过损坏的月文件 %1").arg(names.join(QStringLiteral("、")));
        line.detail = reasons.join(QLatin1Char('\n'));
    }
    return line;
}

} // namespace ExportOutcomeText
