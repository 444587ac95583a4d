#include "JournalOptions.h"

#include <QCommandLineParser>
#include <QLocale>

#include "core/InterfaceLanguage.h"
#include "core/IsoTime.h"

QString journalUsage()
{
    return QStringLiteral(
        "Usage: tq5800-journal --journal PATH [--from T] [--to T] [--kind K]... [--csv] [--lang zh|en]\n"
        "Prints the station's event journal, newest first.\n"
        "  --journal PATH  the journal file (journal.sqlite beside the history file)\n"
        "  --from T        events at or after T (ISO 8601; local time without an offset)\n"
        "  --to T          events before T\n"
        "  --kind K        only events of kind K (a code such as alarm.raised); may repeat\n"
        "  --csv           the CSV form the journal window exports, instead of a table\n"
        "  --lang L        zh or en: the language of the events' words (default: the locale's,\n"
        "                  Chinese for a zh* locale, else English)\n"
        "  --help          this text\n"
        "  --version       the program's version\n"
        "Exit status: 0 done, 1 the journal cannot be read, 2 bad usage.\n");
}

bool parseJournalOptions(const QStringList& arguments, JournalOptions& options, QString& error)
{
    QCommandLineParser parser;
    const QCommandLineOption journal(QStringLiteral("journal"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption from(QStringLiteral("from"), QString(), QStringLiteral("T"));
    const QCommandLineOption to(QStringLiteral("to"), QString(), QStringLiteral("T"));
    const QCommandLineOption kind(QStringLiteral("kind"), QString(), QStringLiteral("K"));
    const QCommandLineOption csv(QStringLiteral("csv"));
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("L"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({journal, from, to, kind, csv, lang, help, version});
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
    if (parser.values(journal).size() != 1 || parser.value(journal).isEmpty()) {
        error = QStringLiteral("--journal PATH is needed once");
        return false;
    }
    options.journalPath = parser.value(journal);
    QDateTime time;
    if (parser.isSet(from)) {
        if (!IsoTime::parseOption(QStringLiteral("from"), parser.value(from), time, error))
            return false;
        options.filter.from = time;
    }
    if (parser.isSet(to)) {
        if (!IsoTime::parseOption(QStringLiteral("to"), parser.value(to), time, error))
            return false;
        options.filter.to = time;
    }
    if (options.filter.from && options.filter.to && *options.filter.from > *options.filter.to) {
        error = QStringLiteral("--from is after --to");
        return false;
    }
    for (const QString& code : parser.values(kind)) {
        JournalEvent::Kind k;
        if (!JournalKinds::fromCode(code, k)) {
            error = QStringLiteral("--kind: unknown kind %1").arg(code);
            return false;
        }
        options.filter.kinds.append(k);
    }
    options.language = parser.isSet(lang) ? parser.value(lang) : interfaceLanguageOf(QLocale::system().name());
    if (options.language != QLatin1String("zh") && options.language != QLatin1String("en")) {
        error = QStringLiteral("--lang: zh or en, not %1").arg(options.language);
        return false;
    }
    options.csv = parser.isSet(csv);
    return true;
}
