// tq5800-export: the samples of a period, from the archive's month files
// and the ring or from the central server, written to a file: every sample as CSV, or the period
// report as PDF. Exit code 0 when done, 1 when nothing was written, 2 for
// a usage error (a bad time, band or period included).

#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include "ExportOptions.h"
#include "HistorianExport.h"
#include "core/ShownText.h"
#include "core/ProgramCommandLine.h"
#include "archive/PeriodSamples.h"
#include "export/ArchiveSampleSource.h"
#include "export/PeriodCsv.h"
#include "export/PeriodGlance.h"
#include "export/PeriodReport.h"
#include "journal/JournalStore.h"

namespace {

constexpr char kProgram[] = "tq5800-export";

void printSkipped(const std::vector<PeriodSamples::SkippedFile>& skipped)
{
    for (const PeriodSamples::SkippedFile& file : skipped)
        std::fprintf(stderr, "tq5800-export: skipped the damaged month file %s: %s\n", qPrintable(file.name),
                     qPrintable(file.reason));
}

// A period reaching back past what the archive and the ring hold is still
// written, from the oldest sample on; the note keeps the reader from taking
// the missing stretch for a stopped recorder.
void noteOldestHeld(const PeriodSamples& samples, const QDateTime& from)
{
    const std::optional<QDateTime> oldest = samples.oldestHeld();
    if (!oldest || *oldest <= from)
        return;
    const QDateTime shown =
        from.timeSpec() == Qt::LocalTime ? oldest->toLocalTime() : oldest->toOffsetFromUtc(from.offsetFromUtc());
    std::fprintf(stderr, "tq5800-export: note: the period starts before the oldest sample held, %s; "
                 "nothing before it can be written\n", qPrintable(shown.toString(Qt::ISODate)));
}

int writeCsv(const ExportOptions& options, const PeriodSamples& samples)
{
    const PeriodCsv::Result result = PeriodCsv::write(options.csvPath, samples, options.from, options.to);
    printSkipped(result.skipped);
    if (!result.written) {
        std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}

int writeReport(const ExportOptions& options, const PeriodSamples& samples)
{
    // Before anything is drawn: an empty period gets no report, and the
    // heading needs the address.
    const PeriodGlance glance = glanceAtPeriod(samples, options.from, options.to);
    if (!glance.readable) {
        std::fprintf(stderr, "tq5800-export: cannot read the history file %s\n", qPrintable(glance.error));
        return 1;
    }
    if (glance.empty) {
        std::fprintf(stderr, "tq5800-export: no samples were recorded in the period\n");
        return 1;
    }
    const QString journalPath = JournalPath::resolve(options.journalPath, options.historyPath);
    if (!options.journalPath.isEmpty() && !QFileInfo::exists(journalPath))
        std::fprintf(stderr, "tq5800-export: note: no journal at %s; the report has no event table\n",
                     qPrintable(journalPath));

    ArchiveSampleSource source(samples);
    PeriodReportRequest request;
    request.path = options.pdfPath;
    request.instrument = options.instrument.isEmpty() ? instrumentName(glance.address) : options.instrument;
    request.from = options.from;
    request.to = options.to;
    request.samples = &source;
    request.band = options.band;
    request.journalPath = journalPath;
    ShownText error;
    const bool written = writePeriodReport(request, error);
    printSkipped(source.skipped());
    if (!written) {
        std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(error.english()));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ExportOptions options;
    QString error;
    if (!parseExportOptions(arguments, options, error))
        return ProgramCommandLine::refuse(kProgram, error.toStdString());
    if (options.help)
        return ProgramCommandLine::answer(exportUsage().toStdString());
    if (options.version)
        return ProgramCommandLine::version(kProgram);
    // The report's text needs the fonts of a GUI application; it never
    // shows a window, so it needs no display either.
    std::unique_ptr<QCoreApplication> app;
    if (options.pdfPath.isEmpty()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    if (const auto refused = PeriodSamples::refusal(options.from, options.to, QDateTime::currentDateTime())) {
        std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(*refused));
        return 2;
    }
    if (!options.historian.isEmpty())
        return exportFromHistorian(options);
    if (!options.archiveFolder.isEmpty() && !QFileInfo(options.archiveFolder).isDir()) {
        std::fprintf(stderr, "tq5800-export: the archive folder %s does not exist\n",
                     qPrintable(options.archiveFolder));
        return 1;
    }

    const PeriodSamples samples(options.historyPath, options.archiveFolder);
    noteOldestHeld(samples, options.from);
    return options.pdfPath.isEmpty() ? writeCsv(options, samples) : writeReport(options, samples);
}
