#include "HistorianExport.h"

#include <cstdio>
#include <set>

#include <QStringList>

#include "export/HistorianReportJournal.h"
#include "export/HistorianSampleSource.h"
#include "export/PeriodCsv.h"
#include "export/PeriodGlance.h"
#include "export/PeriodReport.h"
#include "historian/ConnectionText.h"
#include "historian/HistorianPeriodReader.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

int fail(const QString& message, int status = kFailed)
{
    std::fprintf(stderr, "tq5800-export: %s\n", qPrintable(message.simplified()));
    return status;
}

QString addressList(const QList<HistorianInstrument>& instruments)
{
    std::set<int> addresses;
    for (const HistorianInstrument& instrument : instruments)
        addresses.insert(instrument.address);
    QStringList texts;
    for (int address : addresses)
        texts << QString::number(address);
    return texts.join(QStringLiteral(", "));
}

QString portList(const QList<HistorianInstrument>& instruments)
{
    QStringList ports;
    for (const HistorianInstrument& instrument : instruments)
        ports << instrument.port;
    ports.removeDuplicates();
    return ports.join(QStringLiteral(", "));
}

bool wanted(const ExportOptions& options, const HistorianInstrument& instrument)
{
    return (!options.address || *options.address == instrument.address)
        && (options.port.isEmpty() || options.port == instrument.port);
}

// The one instrument the options name among those the station forwarded
// in the period, or the exit status and why not.
std::optional<HistorianInstrument> chooseInstrument(const ExportOptions& options,
                                                    const QList<HistorianInstrument>& forwarded, int& status)
{
    QList<HistorianInstrument> chosen;
    for (const HistorianInstrument& instrument : forwarded)
        if (wanted(options, instrument))
            chosen << instrument;
    if (forwarded.isEmpty()) {
        status = fail(QStringLiteral("station %1 forwarded no samples in the period").arg(options.station));
    } else if (chosen.isEmpty()) {
        status = fail(QStringLiteral("station %1 forwarded no samples of that instrument in the period; "
                                     "it forwarded addresses %2 (ports %3)")
                          .arg(options.station, addressList(forwarded), portList(forwarded)));
    } else if (addressList(chosen).contains(QLatin1Char(','))) {
        status = fail(QStringLiteral("station %1 forwarded more than one instrument in the period: "
                                     "name one with --address (addresses %2)")
                          .arg(options.station, addressList(chosen)),
                      kUsage);
    } else if (chosen.size() > 1) {
        status = fail(QStringLiteral("address %1 of station %2 is on more than one line in the period: "
                                     "name one with --port (ports %3)")
                          .arg(QString::number(chosen.first().address), options.station, portList(chosen)),
                      kUsage);
    } else {
        return chosen.first();
    }
    return std::nullopt;
}

int writeCsv(const ExportOptions& options, HistorianSampleSource& source)
{
    const PeriodCsv::Result result = PeriodCsv::write(options.csvPath, source, options.from, options.to);
    if (result.written)
        return 0;
    return fail(result.failure == PeriodCsv::Failure::CannotReadHistory
                    ? QStringLiteral("reading the server failed: %1").arg(result.error)
                    : result.error);
}

int writeReport(const ExportOptions& options, HistorianPeriodReader& reader, HistorianSampleSource& source,
                const HistorianInstrument& instrument)
{
    PeriodReportRequest request;
    request.path = options.pdfPath;
    request.instrument = !options.instrument.isEmpty() ? options.instrument
        : instrument.address != 0                      ? instrumentName(instrument.address)
                                                       : instrumentName(std::nullopt);
    request.from = options.from;
    request.to = options.to;
    request.samples = &source;
    request.band = options.band;
    request.journal = readHistorianReportJournal(reader, options.station, options.from, options.to);
    if (!request.journal->error.isEmpty())
        std::fprintf(stderr, "tq5800-export: note: the server's events cannot be read; the report has no event "
                             "table: %s\n", qPrintable(request.journal->error.simplified()));
    ShownText error;
    return writePeriodReport(request, error) ? 0 : fail(error.english());
}

} // namespace

int exportFromHistorian(const ExportOptions& options)
{
    const QString server = ConnectionText::withoutPassword(options.historian);
    HistorianPeriodReader reader(options.historian);
    QString error;
    if (!reader.open(&error))
        return fail(QStringLiteral("the historian server %1: %2").arg(server, error));
    bool known = false;
    if (!reader.hasStation(options.station, &known, &error))
        return fail(QStringLiteral("the historian server %1: %2").arg(server, error));
    if (!known)
        return fail(QStringLiteral("the historian server %1 has no station %2").arg(server, options.station));
    QList<HistorianInstrument> forwarded;
    if (!reader.instruments(options.station, options.from.toMSecsSinceEpoch(), options.to.toMSecsSinceEpoch(),
                            &forwarded, &error))
        return fail(QStringLiteral("the historian server %1: %2").arg(server, error));
    int status = kFailed;
    const std::optional<HistorianInstrument> instrument = chooseInstrument(options, forwarded, status);
    if (!instrument)
        return status;
    HistorianSampleSource source(reader, options.station, *instrument);
    return options.pdfPath.isEmpty() ? writeCsv(options, source) : writeReport(options, reader, source, *instrument);
}
