#include "journal/HistoryJournal.h"

#include "history/RecorderHealth.h"
#include "journal/JournalSink.h"
#include "journal/StoredForms.h"

namespace {

QString switchText(HistoryDatabase::FileChange change)
{
    return change == HistoryDatabase::FileChange::Recreated ? StoredForms::kHistoryRecreated
                                                            : StoredForms::kHistoryReplaced;
}

} // namespace

HistoryJournal::HistoryJournal(JournalSink& sink, QString path)
    : sink_(sink)
    , path_(std::move(path))
{
}

void HistoryJournal::healthChanged(const RecorderHealth& health)
{
    using State = RecorderHealth::State;
    JournalEvent event;
    event.source = path_;
    if (health.fileSwitchedAt() && health.fileSwitchedAt() != lastSwitch_) {
        lastSwitch_ = health.fileSwitchedAt();
        event.time = *health.fileSwitchedAt();
        event.kind = JournalEvent::Kind::HistoryReplaced;
        event.text = switchText(health.fileSwitch());
        sink_.append(event);
    }
    if (health.state() == State::Failing && !failing_) {
        failing_ = true;
        event.time = health.failingSince().value_or(QDateTime());
        event.kind = JournalEvent::Kind::HistoryFailing;
        event.text = health.reason();
        sink_.append(event);
    } else if (failing_ && (health.state() == State::Recording || health.state() == State::PointerMissing)) {
        failing_ = false;
        event.time = health.lastStored().value_or(QDateTime());
        event.kind = JournalEvent::Kind::HistoryResumed;
        // Readers say how many seconds the ring missed and where they are (ShownEvent).
        const RecorderHealth::RingGap& gap = health.ringGap();
        event.newValue = QString::number(gap.seconds);
        event.text = gap.seconds == 0 ? QString()
                     : gap.handedOn   ? StoredForms::kRingGapArchived
                                      : StoredForms::kRingGapNotKept;
        sink_.append(event);
    }
}
