#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QDateTime>
#include <QString>

#include "archive/PeriodSamples.h"
#include "export/PeriodCsv.h"

// Where the station keeps what an export reads; each export opens its own
// connections to them.
struct ExportSources {
    QString ringPath;       // the history file
    QString archiveFolder;  // empty without an archive
    QString journalPath;    // empty without a journal: the report has no event table
    QString instrument;     // the report's heading, e.g. "仪表 1 · /dev/ttyUSB0"
};

enum class ExportKind { Csv, Report };

struct PeriodExportJob {
    ExportKind kind = ExportKind::Csv;
    ExportSources sources;
    QDateTime from;  // inclusive
    QDateTime to;    // exclusive
    double band = 0.0;  // the report's SV ± band, in the instrument's units
    QString path;
};

struct PeriodExportOutcome {
    bool written = false;
    bool cancelled = false;
    int64_t samples = 0;
    std::vector<PeriodSamples::SkippedFile> skipped;  // damaged month files passed over
    QString error;  // why nothing was written, as the writer put it
    QString loggedError;  // the same in English, for the log
    // The CSV writer's reason in its own terms; the report's error is in the
    // operator's words already.
    PeriodCsv::Failure csvFailure = PeriodCsv::Failure::None;
};

// Called with a sample's moment (UTC ms) now and then; false cancels.
using ExportProgress = std::function<bool(int64_t utcMs)>;

// Writes the period as the job says, whole or not at all. Callable from any
// thread: a month takes longer than the recorder's tick may wait.
PeriodExportOutcome runPeriodExport(const PeriodExportJob& job, const ExportProgress& progress);
