#pragma once

#include <QDateTime>
#include <QString>

#include "exportwindow/PeriodExport.h"

namespace ExportFileName {

// "csv" or "pdf".
QString suffix(ExportKind kind);

// The name a period's file is offered under: "tq5800_2026-12-07_0800-1000.csv"
// for [08:00, 10:00); a period over midnight names both dates.
QString forPeriod(const QDateTime& from, const QDateTime& to, ExportKind kind);

// The path with the other kind's suffix replaced by this kind's; any other
// path as it is.
QString withSuffix(const QString& path, ExportKind kind);

} // namespace ExportFileName
