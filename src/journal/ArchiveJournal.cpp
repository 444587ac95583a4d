#include "journal/ArchiveJournal.h"

#include "journal/JournalSink.h"

ArchiveJournal::ArchiveJournal(JournalSink& sink, QString folder)
    : sink_(sink)
    , folder_(std::move(folder))
{
}

void ArchiveJournal::failing(const QDateTime& since, const QString& reason)
{
    if (failing_)
        return;
    failing_ = true;
    JournalEvent event;
    event.time = since;
    event.kind = JournalEvent::Kind::ArchiveFailing;
    event.source = folder_;
    event.text = reason;
    sink_.append(event);
}

void ArchiveJournal::writing(const QDateTime& at, int64_t droppedSamples)
{
    if (!failing_) {
        droppedBefore_ = droppedSamples;
        return;
    }
    failing_ = false;
    JournalEvent event;
    event.time = at;
    event.kind = JournalEvent::Kind::ArchiveResumed;
    event.source = folder_;
    const int64_t lost = droppedSamples - droppedBefore_;
    // Readers say how many were lost (ShownEvent).
    event.newValue = QString::number(lost);
    droppedBefore_ = droppedSamples;
    sink_.append(event);
}

void ArchiveJournal::removed(const QDateTime& at, const QStringList& files, int keepMonths)
{
    for (const QString& file : files) {
        JournalEvent event;
        event.time = at;
        event.kind = JournalEvent::Kind::ArchiveRemoved;
        event.source = folder_;
        event.what = file;
        event.newValue = QString::number(keepMonths);
        sink_.append(event);
    }
}
