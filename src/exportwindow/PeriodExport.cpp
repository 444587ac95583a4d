#include "exportwindow/PeriodExport.h"

#include "export/ArchiveSampleSource.h"
#include "export/PeriodCsv.h"
#include "export/PeriodReport.h"

PeriodExportOutcome runPeriodExport(const PeriodExportJob& job, const ExportProgress& progress)
{
    const PeriodSamples samples(job.sources.ringPath, job.sources.archiveFolder);
    PeriodExportOutcome outcome;
    if (job.kind == ExportKind::Csv) {
        const PeriodCsv::Result result = PeriodCsv::write(job.path, samples, job.from, job.to, progress);
        outcome.written = result.written;
        outcome.cancelled = result.cancelled;
        outcome.samples = result.samples;
        outcome.skipped = result.skipped;
        outcome.error = result.error;
        outcome.loggedError = result.error;  // the CSV writer's own English
        outcome.csvFailure = result.failure;
        return outcome;
    }
    ArchiveSampleSource source(samples, progress);
    PeriodReportRequest request;
    request.path = job.path;
    request.instrument = job.sources.instrument;
    request.from = job.from;
    request.to = job.to;
    request.samples = &source;
    request.band = job.band;
    request.journalPath = job.sources.journalPath;
    ShownText error;
    outcome.written = writePeriodReport(request, error);
    outcome.cancelled = source.cancelled();
    outcome.samples = source.samplesRead();
    outcome.skipped = source.skipped();
    if (!outcome.written) {
        outcome.error = error.shown();
        outcome.loggedError = error.english();
    }
    return outcome;
}
