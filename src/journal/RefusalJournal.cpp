#include "journal/RefusalJournal.h"

#include <algorithm>

#include "core/Clock.h"
#include "journal/JournalSink.h"

namespace {

constexpr qint64 kMinuteMs = 60'000;
// Past the minute's end, so that the clock has surely moved on.
constexpr int kPastMinuteMs = 200;

QDateTime minuteOf(const QDateTime& time)
{
    return time.addMSecs(-(time.time().msecsSinceStartOfDay() % kMinuteMs));
}

} // namespace

RefusalJournal::RefusalJournal(JournalSink& sink, const Clock& clock, QObject* parent)
    : QObject(parent)
    , sink_(sink)
    , clock_(clock)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RefusalJournal::publishDue);
}

RefusalJournal::~RefusalJournal() = default;

void RefusalJournal::refused()
{
    const QDateTime minute = minuteOf(clock_.now());
    if (minute_ && *minute_ != minute)
        publish();
    minute_ = minute;
    ++count_;
    armTimer();
}

void RefusalJournal::publishDue()
{
    if (!minute_)
        return;
    if (minuteOf(clock_.now()) != *minute_)
        publish();
    else
        armTimer();
}

void RefusalJournal::publishNow()
{
    if (minute_)
        publish();
}

void RefusalJournal::publish()
{
    JournalEvent event;
    event.time = *minute_;
    event.kind = JournalEvent::Kind::EntriesRefused;
    // The minute and the count are all it is; readers word it (ShownEvent).
    event.newValue = QString::number(count_);
    sink_.append(event);
    minute_.reset();
    count_ = 0;
    timer_.stop();
}

void RefusalJournal::armTimer()
{
    const qint64 left = clock_.now().msecsTo(minute_->addMSecs(kMinuteMs));
    timer_.start(static_cast<int>(std::clamp<qint64>(left, 0, kMinuteMs)) + kPastMinuteMs);
}
