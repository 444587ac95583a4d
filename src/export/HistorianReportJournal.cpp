#include "export/HistorianReportJournal.h"

#include <QStringList>
#include <QTimeZone>

#include "historian/HistorianPeriodReader.h"

namespace {

JournalEvent journalEvent(const OutboxEvent& row, JournalEvent::Kind kind)
{
    JournalEvent event;
    event.id = row.id;
    // Read as UTC from the start: as local time a moment in a daylight
    // saving gap would not exist.
    const QDateTime utc(QDate::fromString(row.timeUtc.left(10), Qt::ISODate),
                        QTime::fromString(row.timeUtc.mid(11, 12), QStringLiteral("HH:mm:ss.zzz")), QTimeZone::utc());
    event.time = utc.toOffsetFromUtc(row.utcOffset);
    event.kind = kind;
    event.source = row.source;
    event.what = row.what;
    event.oldValue = row.oldValue;
    event.newValue = row.newValue;
    event.outcome = row.outcome;
    event.text = row.message;
    event.user = row.userName;
    event.host = row.host;
    event.origin = row.origin;
    return event;
}

} // namespace

ReportJournal readHistorianReportJournal(HistorianPeriodReader& reader, const QString& station,
                                         const QDateTime& from, const QDateTime& to)
{
    ReportJournal journal;
    journal.found = true;
    QStringList codes;
    for (JournalEvent::Kind kind : reportJournalKinds())
        codes << JournalKinds::code(kind);
    QList<OutboxEvent> rows;
    if (!reader.events(station, codes, from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch(), &rows, &journal.error))
        return journal;
    for (const OutboxEvent& row : rows) {
        JournalEvent::Kind kind;
        if (JournalKinds::fromCode(row.kind, kind))
            journal.events.push_back(journalEvent(row, kind));
    }
    return journal;
}
