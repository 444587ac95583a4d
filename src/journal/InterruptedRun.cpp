#include "journal/InterruptedRun.h"

#include "journal/JournalLog.h"
#include "journal/JournalReader.h"

std::optional<QDateTime> interruptedRunLastEvent(const QString& journalPath)
{
    JournalReader reader(journalPath, QStringLiteral("tq5800-journal-last-run"));
    if (!reader.open())
        return std::nullopt;  // a new journal: no run before this one
    JournalFilter runs;
    runs.kinds = {JournalEvent::Kind::StationStarted, JournalEvent::Kind::StationExited,
                  JournalEvent::Kind::StationInterrupted};
    const std::vector<JournalEvent> lastRun = reader.page(runs, 1);
    if (lastRun.empty() || lastRun.front().kind != JournalEvent::Kind::StationStarted) {
        if (reader.failed())
            qCWarning(journalLog).noquote() << "the last run's end cannot be read:" << reader.errorText();
        return std::nullopt;
    }
    const std::vector<JournalEvent> last = reader.page(JournalFilter{}, 1);
    if (last.empty())
        return std::nullopt;
    return last.front().time;
}
