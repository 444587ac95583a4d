// tq5800-export: the samples of a period, from the archive's month files
// and the ring, written to a file. Exit code 0 when done, 1 when nothing
// was written, 2 for a usage error (a bad time or period included).

#include <cstdio>

#include <QCoreApplication>
#include <QFileInfo>

#include "ExportOptions.h"
#include "core/Version.h"
#include "archive/PeriodSamples.h"
#include "export/PeriodCsv.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ExportOptions options;
    QString error;
    if (!parseExportOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "tq5800-export: %s\n%s", qPrintable(error), qPrintable(exportUsage()));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(exportUsage()), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("tq5800-export %s\n", StationVersion::kText);
        return 0;
    }
    if (const auto refused = PeriodSamples::refusal(options.from, options.to, QDateTime::currentDateTime())) {
        std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(*refused));
        return 2;
    }
    if (!options.archiveFolder.isEmpty() && !QFileInfo(options.archiveFolder).isDir()) {
        std::fprintf(stderr, "tq5800-export: the archive folder %s does not exist\n",
                     qPrintable(options.archiveFolder));
        return 1;
    }

    const PeriodSamples samples(options.historyPath, options.archiveFolder);
    const PeriodCsv::Result result = PeriodCsv::write(options.csvPath, samples, options.from, options.to);
    for (const PeriodSamples::SkippedFile& skipped : result.skipped)
        std::fprintf(stderr, "tq5800-export: skipped the damaged month file %s: %s\n", qPrintable(skipped.name),
                     qPrintable(skipped.reason));
    if (!result.written) {
        std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
