#include "export/ReportJournal.h"

#include <algorithm>
#include <atomic>

#include <QFileInfo>

#include "journal/JournalReader.h"

namespace {

constexpr int kPageSize = 1000;

QString connectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("tq5800-period-report-journal-%1").arg(next++);
}

} // namespace

QList<JournalEvent::Kind> reportJournalKinds()
{
    return {JournalEvent::Kind::AlarmRaised, JournalEvent::Kind::AlarmCleared, JournalEvent::Kind::Write};
}

ReportJournal readReportJournal(const QString& path, const QDateTime& from, const QDateTime& to)
{
    ReportJournal journal;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return journal;
    journal.found = true;
    JournalReader reader(path, connectionName());
    if (!reader.open()) {
        journal.error = reader.errorText();
        return journal;
    }
    JournalFilter filter;
    filter.kinds = reportJournalKinds();
    filter.from = from;
    filter.to = to;
    // Pages come newest first, each below where the one before ended.
    std::optional<JournalReader::Position> below;
    for (;;) {
        std::vector<JournalEvent> page = reader.page(filter, kPageSize, below);
        if (reader.failed()) {
            journal.error = reader.errorText();
            journal.events.clear();
            return journal;
        }
        if (page.empty())
            break;
        below = JournalReader::positionOf(page.back());
        journal.events.insert(journal.events.end(), page.begin(), page.end());
    }
    std::reverse(journal.events.begin(), journal.events.end());
    return journal;
}
