// tq5800-journal: the station's event journal on standard output, newest
// first, as a table for people or in the journal window's CSV form, in
// Chinese or English (--lang, else the locale, as the station chooses).
// Exit code 0 when done, 1 when the journal cannot be read, 2 for a usage
// error.

#include <cstdio>
#include <optional>

#include <QCoreApplication>
#include <QFile>

#include "JournalOptions.h"
#include "core/EnglishTexts.h"
#include "core/ProgramCommandLine.h"
#include "journal/JournalCsv.h"
#include "journal/JournalReader.h"
#include "journal/ShownEvent.h"

namespace {

constexpr char kProgram[] = "tq5800-journal";
constexpr int kPageSize = 1000;

QByteArray tableLine(const JournalEvent& event)
{
    const ShownEvent shown = shownEvent(event);
    QStringList fields{JournalCsv::timeText(event.time), shown.kind, shown.source, shown.what};
    if (!shown.oldValue.isEmpty() || !shown.newValue.isEmpty())
        fields.append(shown.oldValue + QStringLiteral(" -> ") + shown.newValue);
    fields.append({shown.outcome, shown.text, event.user});
    fields.removeAll(QString());
    return fields.join(QStringLiteral("  ")).toUtf8() + '\n';
}

// false with `error` set when the journal failed midway.
bool printTable(QFile& out, JournalReader& reader, const JournalFilter& filter, QString& error)
{
    std::optional<JournalReader::Position> below;
    for (;;) {
        const std::vector<JournalEvent> events = reader.page(filter, kPageSize, below);
        if (reader.failed()) {
            error = reader.errorText();
            return false;
        }
        for (const JournalEvent& event : events)
            out.write(tableLine(event));
        if (events.size() < static_cast<size_t>(kPageSize))
            return true;
        below = JournalReader::positionOf(events.back());
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    JournalOptions options;
    QString error;
    if (!parseJournalOptions(app.arguments(), options, error))
        return ProgramCommandLine::refuse(kProgram, error.toStdString());
    if (options.help)
        return ProgramCommandLine::answer(journalUsage().toStdString());
    if (options.version)
        return ProgramCommandLine::version(kProgram);

    // The events in the reader's language: the sources carry the Chinese,
    // the English is built in.
    std::optional<EnglishTexts::Installed> english;
    if (options.language == QLatin1String("en"))
        english.emplace();

    JournalReader reader(options.journalPath, QStringLiteral("tq5800-journal-tool"));
    if (!reader.open()) {
        std::fprintf(stderr, "tq5800-journal: cannot read %s: %s\n", qPrintable(options.journalPath),
                     qPrintable(reader.errorText()));
        return 1;
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        std::fprintf(stderr, "tq5800-journal: cannot write to standard output\n");
        return 1;
    }
    const bool done = options.csv ? JournalCsv::writeMatching(out, reader, options.filter, error).has_value()
                                  : printTable(out, reader, options.filter, error);
    out.close();
    if (!done) {
        std::fprintf(stderr, "tq5800-journal: reading %s failed: %s\n", qPrintable(options.journalPath),
                     qPrintable(error));
        return 1;
    }
    return 0;
}
