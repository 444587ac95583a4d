#pragma once

#include <QString>

#include "exportwindow/PeriodExport.h"

// What the dialog's status line and the main status bar say about a
// finished export: short Chinese for the operator, the writer's own reason
// and the damaged month files' reasons in full for the tooltip.
struct ExportOutcomeLine {
    QString text;
    QString detail;
};

namespace ExportOutcomeText {

// "已导出 7200 个采样：/home/op/tq5800_2026-12-07_0800-1000.csv", with
// "；跳过损坏的月文件 2026-11.sqlite" when some were passed over, or why
// nothing was written.
ExportOutcomeLine describe(ExportKind kind, const QString& path, const PeriodExportOutcome& outcome);

} // namespace ExportOutcomeText
