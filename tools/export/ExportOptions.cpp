#include "ExportOptions.h"

#include <QCommandLineParser>

namespace {

bool parseTime(const QString& text, const QString& option, QDateTime& time, QString& error)
{
    time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid()) {
        error = QStringLiteral("--%1: not an ISO 8601 time: %2").arg(option, text);
        return false;
    }
    return true;
}

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

} // namespace

QString exportUsage()
{
    return QStringLiteral(
        "Usage: tq5800-export --db PATH [--archive DIR] --from T --to T --csv FILE\n"
        "Writes the samples recorded from T to T (end excluded) into a file.\n"
        "  --db PATH       the history file\n"
        "  --archive DIR   the folder of the archive's month files; without it the history file alone\n"
        "  --from T        the period's start (ISO 8601; local time without an offset)\n"
        "  --to T          the period's end\n"
        "  --csv FILE      the CSV file to write (UTF-8, replaced only when complete)\n"
        "  --help          this text\n"
        "  --version       the program's version\n"
        "Exit status: 0 done, 1 nothing written (no samples, a file cannot be read or written), 2 bad usage.\n");
}

bool parseExportOptions(const QStringList& arguments, ExportOptions& options, QString& error)
{
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption archive(QStringLiteral("archive"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("T"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("T"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({db, archive, from, to, csv, help, version});
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
    QString fromText;
    QString toText;
    if (!single(parser, db, options.historyPath, error) || !single(parser, from, fromText, error)
        || !single(parser, to, toText, error) || !single(parser, csv, options.csvPath, error))
        return false;
    if (parser.isSet(archive) && !single(parser, archive, options.archiveFolder, error))
        return false;
    return parseTime(fromText, QStringLiteral("from"), options.from, error)
        && parseTime(toText, QStringLiteral("to"), options.to, error);
}
