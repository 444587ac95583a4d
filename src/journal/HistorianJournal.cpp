#include "journal/HistorianJournal.h"

#include "journal/JournalSink.h"

HistorianJournal::HistorianJournal(JournalSink& sink, QString server)
    : sink_(sink)
    , server_(std::move(server))
{
}

void HistorianJournal::failing(const QDateTime& since, const QString& cause, const QString& reason)
{
    if (failing_)
        return;
    failing_ = true;
    JournalEvent event;
    event.time = since;
    event.kind = JournalEvent::Kind::HistorianFailing;
    event.source = server_;
    event.what = cause;
    event.text = reason;
    sink_.append(event);
}

void HistorianJournal::resumed(const QDateTime& at)
{
    // The first success of a run is no recovery.
    if (!failing_)
        return;
    failing_ = false;
    JournalEvent event;
    event.time = at;
    event.kind = JournalEvent::Kind::HistorianResumed;
    event.source = server_;
    sink_.append(event);
}
