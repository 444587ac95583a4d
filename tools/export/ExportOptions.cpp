#include "ExportOptions.h"

#include <cmath>
#include <initializer_list>

#include <QCommandLineParser>

#include "core/IsoTime.h"
#include "historian/ServerConnection.h"

namespace {

// The value of an option that must be given exactly once.
bool single(const QCommandLineParser& parser, const QCommandLineOption& option, QString& value, QString& error)
{
    if (parser.values(option).size() != 1 || parser.value(option).isEmpty()) {
        error = QStringLiteral("--%1 %2 is needed once").arg(option.names().first(), option.valueName());
        return false;
    }
    value = parser.value(option);
    return true;
}

// An option that may be left out, but given only once and not empty.
bool atMostOnce(const QCommandLineParser& parser, const QCommandLineOption& option, QString& value, QString& error)
{
    return !parser.isSet(option) || single(parser, option, value, error);
}

bool parseBand(const QString& text, double& band, QString& error)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0) {
        error = QStringLiteral("--band: not a number of 0 or more: %1").arg(text);
        return false;
    }
    band = value;
    return true;
}

bool parseAddress(const QString& text, std::optional<int>& address, QString& error)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    // 0 is how the server keeps samples whose instrument the station did not know.
    if (!ok || value < 0 || value > 247) {
        error = QStringLiteral("--address: not a module address (0 to 247): %1").arg(text);
        return false;
    }
    address = value;
    return true;
}

// --historian replaces the local files; what names them is refused beside
// it, and what only the server knows is refused without it.
bool checkSource(const QCommandLineParser& parser, const QCommandLineOption& historian,
                 std::initializer_list<const QCommandLineOption*> localOnly,
                 std::initializer_list<const QCommandLineOption*> serverOnly, QString& error)
{
    const bool fromServer = parser.isSet(historian);
    for (const QCommandLineOption* option : fromServer ? localOnly : serverOnly) {
        if (parser.isSet(*option)) {
            error = fromServer
                ? QStringLiteral("--%1 is for the local files; with --historian everything comes from the server")
                      .arg(option->names().first())
                : QStringLiteral("--%1 is for --historian only").arg(option->names().first());
            return false;
        }
    }
    return true;
}

} // namespace

QString exportUsage()
{
    return QStringLiteral(
        "Usage: tq5800-export --db PATH [--archive DIR] --from T --to T --csv FILE\n"
        "       tq5800-export --db PATH [--archive DIR] --from T --to T --pdf FILE\n"
        "                     [--band X] [--journal PATH] [--instrument TEXT]\n"
        "       tq5800-export --historian CONNECTION --station NAME [--address N] [--port N]\n"
        "                     --from T --to T (--csv FILE | --pdf FILE [--band X] [--instrument TEXT])\n"
        "Writes the samples recorded from T to T (end excluded) into a file: every\n"
        "sample as CSV, or the period report (trend, statistics, alarm events and\n"
        "operator writes) as PDF. A period starting before the oldest sample held is\n"
        "noted and written from there. With --historian the samples and events come\n"
        "from the central server the station forwards them to, not from local files.\n"
        "  --db PATH         the history file\n"
        "  --archive DIR     the folder of the archive's month files; without it the history file alone\n"
        "  --historian CONNECTION\n"
        "                    the central server, a libpq connection string (a password only\n"
        "                    from ~/.pgpass or PGPASSFILE)\n"
        "  --station NAME    with --historian: the station's name on the server\n"
        "  --address N       with --historian: the instrument's module address; needed when the\n"
        "                    station forwarded more than one instrument in the period\n"
        "  --port N          with --historian: the station's port number of the instrument's line,\n"
        "                    when two lines have the address\n"
        "  --from T          the period's start (ISO 8601; local time without an offset)\n"
        "  --to T            the period's end\n"
        "  --csv FILE        the CSV file to write (UTF-8, replaced only when complete)\n"
        "  --pdf FILE        the report to write (A4 landscape, replaced only when complete)\n"
        "  --band X          report: PV further than X from SV counts as outside the band\n"
        "                    (the instrument's units, 0 or more; default %1)\n"
        "  --journal PATH    report: the event journal (default journal.sqlite beside the\n"
        "                    history file; none there: no event table); with --historian the\n"
        "                    report has the station's events from the server instead\n"
        "  --instrument TEXT report: the instrument's name in the heading (default 仪表 and\n"
        "                    the module address the archive recorded, e.g. \"仪表 1\")\n"
        "  --help            this text\n"
        "  --version         the program's version\n"
        "Exit status: 0 done, 1 nothing written (no samples, a file cannot be read or written, the\n"
        "server cannot be reached or has no such station), 2 bad usage (an instrument not told apart).\n")
        .arg(ExportOptions::kDefaultBand);
}

bool parseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error)
{
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption archive(QStringLiteral("archive"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("T"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("T"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption band(QStringLiteral("band"), QString(), QStringLiteral("X"));
    const QCommandLineOption journal(QStringLiteral("journal"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption instrument(QStringLiteral("instrument"), QString(), QStringLiteral("TEXT"));
    const QCommandLineOption historian(QStringLiteral("historian"), QString(), QStringLiteral("CONNECTION"));
    const QCommandLineOption station(QStringLiteral("station"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption address(QStringLiteral("address"), QString(), QStringLiteral("N"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions(
        {db, archive, from, to, csv, pdf, band, journal, instrument, historian, station, address, port, help, version});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        options.help = true;
        return true;
    }
    if (parser.isSet(version)) {
        options.version = true;
        return true;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    if (parser.isSet(csv) == parser.isSet(pdf)) {
        error = QStringLiteral("one of --csv FILE and --pdf FILE is needed");
        return false;
    }
    if (!checkSource(parser, historian, {&db, &archive, &journal}, {&station, &address, &port}, error))
        return false;
    const bool fromServer = parser.isSet(historian);
    QString addressText;
    if (fromServer
        && (!single(parser, historian, options.historian, error) || !single(parser, station, options.station, error)
            || !atMostOnce(parser, address, addressText, error) || !atMostOnce(parser, port, options.port, error)))
        return false;
    if (fromServer) {
        error = ServerConnection::commandLineRefusal(options.historian);
        if (!error.isEmpty())
            return false;
    }
    if (!addressText.isEmpty() && !parseAddress(addressText, options.address, error))
        return false;
    QString fromText;
    QString toText;
    if ((!fromServer && !single(parser, db, options.historyPath, error)) || !single(parser, from, fromText, error)
        || !single(parser, to, toText, error) || !atMostOnce(parser, archive, options.archiveFolder, error)
        || !atMostOnce(parser, csv, options.csvPath, error) || !atMostOnce(parser, pdf, options.pdfPath, error))
        return false;
    // What only the report uses is refused beside --csv rather than ignored.
    for (const QCommandLineOption* reportOnly : {&band, &journal, &instrument}) {
        if (parser.isSet(*reportOnly) && parser.isSet(csv)) {
            error = QStringLiteral("--%1 is for the report (--pdf) only").arg(reportOnly->names().first());
            return false;
        }
    }
    QString bandText;
    if (!atMostOnce(parser, journal, options.journalPath, error)
        || !atMostOnce(parser, instrument, options.instrument, error) || !atMostOnce(parser, band, bandText, error))
        return false;
    if (!bandText.isEmpty() && !parseBand(bandText, options.band, error))
        return false;
    return IsoTime::parseOption(QStringLiteral("from"), fromText, options.from, error)
        && IsoTime::parseOption(QStringLiteral("to"), toText, options.to, error);
}
