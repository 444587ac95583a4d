#include "exportwindow/ExportOutcomeText.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("ExportOutcomeText", "这段时间没有记录");
    case PeriodCsv::Failure::CannotReadHistory:
        return QCoreApplication::translate("ExportOutcomeText", "历史数据库不能读取");
    case PeriodCsv::Failure::CannotWrite:
        return QCoreApplication::translate("ExportOutcomeText", "文件不能写入");
    case PeriodCsv::Failure::None:
        break;
    }
    return QCoreApplication::translate("ExportOutcomeText", "导出失败");
}

} // namespace

namespace ExportOutcomeText {

ExportOutcomeLine describe(ExportKind kind, const QString& path, const PeriodExportOutcome& outcome)
{
    ExportOutcomeLine line;
    if (outcome.cancelled) {
        line.text = QCoreApplication::translate("ExportOutcomeText", "导出已取消，未写入文件");
        return line;
    }
    if (!outcome.written) {
        line.text = QCoreApplication::translate("ExportOutcomeText", "未写入文件：%1").arg(whyNotWritten(kind, outcome));
        line.detail = outcome.error;
        return line;
    }
    line.text = kind == ExportKind::Csv ? QCoreApplication::translate("ExportOutcomeText", "已导出 %1 个采样：%2").arg(outcome.samples).arg(path)
                                        : QCoreApplication::translate("ExportOutcomeText", "报表已写入（%1 个采样）：%2").arg(outcome.samples).arg(path);
    if (!outcome.skipped.empty()) {
        QStringList names;
        QStringList reasons;
        for (const PeriodSamples::SkippedFile& file : outcome.skipped) {
            names.append(file.name);
            reasons.append(QStringLiteral("%1: %2").arg(file.name, file.reason));
        }
        line.text += QCoreApplication::translate("ExportOutcomeText", "；跳过损坏的月文件 %1").arg(names.join(QCoreApplication::translate("ExportOutcomeText", "、")));
        line.detail = reasons.join(QLatin1Char('\n'));
    }
    return line;
}

} // namespace ExportOutcomeText
