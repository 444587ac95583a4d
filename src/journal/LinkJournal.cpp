#include "journal/LinkJournal.h"

#include "core/Clock.h"
#include "journal/JournalSink.h"
#include "link/LinkHealth.h"

namespace {

JournalEvent linkEvent(JournalEvent::Kind kind, const QDateTime& time, const QString& source)
{
    JournalEvent event;
    event.time = time;
    event.kind = kind;
    event.source = source;
    return event;
}

} // namespace

LinkJournal::LinkJournal(JournalSink& sink, const Clock& clock)
    : sink_(sink)
    , clock_(clock)
{
}

void LinkJournal::opened(const QString& source)
{
    source_ = source;
    failing_ = false;
    sink_.append(linkEvent(JournalEvent::Kind::LinkOpened, clock_.now(), source_));
}

void LinkJournal::closed()
{
    failing_ = false;
    sink_.append(linkEvent(JournalEvent::Kind::LinkClosed, clock_.now(), source_));
}

void LinkJournal::healthChanged(const LinkHealth& health)
{
    if (health.state() == LinkHealth::State::Closed) {
        failing_ = false;
        return;
    }
    if (health.failingSince() && !failing_) {
        failing_ = true;
        JournalEvent event = linkEvent(JournalEvent::Kind::LinkFailing, *health.failingSince(), source_);
        // The link's own words, which readers word for people (ShownEvent).
        event.text = health.failureReason();
        if (health.lastAnswer())
            event.oldValue = health.lastAnswer()->toString(Qt::ISODateWithMs);
        sink_.append(event);
    } else if (!health.failingSince() && failing_ && health.answering()) {
        failing_ = false;
        sink_.append(linkEvent(JournalEvent::Kind::LinkRecovered, clock_.now(), source_));
    }
}
