#include "ExportOptions.h"

#include <cmath>

#include <QCommandLineParser>

#include "core/IsoTime.h"

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

} // namespace

QString exportUsage()
{
    return QStringLiteral(
        "Usage: tq5800-export --db PATH [--archive DIR] --from T --to T --csv FILE\n"
        "       tq5800-export --db PATH [--archive DIR] --from T --to T --pdf FILE\n"
        "                     [--band X] [--journal PATH] [--instrument TEXT]\n"
        "Writes the samples recorded from T to T (end excluded) into a file: every\n"
        "sample as CSV, or the period report (trend, statistics, alarm events and\n"
        "operator writes) as PDF. A period starting before the oldest sample held is\n"
        "noted and written from there.\n"
        "  --db PATH         the history file\n"
        "  --archive DIR     the folder of the archive's month files; without it the history file alone\n"
        "  --from T          the period's start (ISO 8601; local time without an offset)\n"
        "  --to T            the period's end\n"
        "  --csv FILE        the CSV file to write (UTF-8, replaced only when complete)\n"
        "  --pdf FILE        the report to write (A4 landscape, replaced only when complete)\n"
        "  --band X          report: PV further than X from SV counts as outside the band\n"
        "                    (the instrument's units, 0 or more; default %1)\n"
        "  --journal PATH    report: the event journal (default journal.sqlite beside the\n"
        "                    history file; none there: no event table)\n"
        "  --instrument TEXT report: the instrument's name in the heading (default 仪表 and\n"
        "                    the module address the archive recorded, e.g. \"仪表 1\")\n"
        "  --help            this text\n"
        "  --version         the program's version\n"
        "Exit status: 0 done, 1 nothing written (no samples, a file cannot be read or written), 2 bad usage.\n")
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
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({db, archive, from, to, csv, pdf, band, journal, instrument, help, version});
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
    QString fromText;
    QString toText;
    if (!single(parser, db, options.historyPath, error) || !single(parser, from, fromText, error)
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
