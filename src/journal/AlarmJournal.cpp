#include "journal/AlarmJournal.h"

#include <array>

#include "instrument/InstrumentState.h"
#include "journal/JournalSink.h"

namespace {

struct WatchedInput {
    int input;
    const char* what;  // the code the event stores; readers word it (ShownEvent)
};

constexpr std::array<WatchedInput, 5> kWatched{{
    {RegisterMap::kAlarmOutput1, "ALM1"},
    {RegisterMap::kAlarmOutput1 + 1, "ALM2"},
    {RegisterMap::kAlarmOutput1 + 2, "ALM3"},
    {RegisterMap::kInputOpen, "BREAK"},
    {RegisterMap::kInputShort, "SHORT"},
}};

size_t bitOf(int input)
{
    return static_cast<size_t>(input - RegisterMap::kBitBlockStart);
}

} // namespace

AlarmJournal::AlarmJournal(JournalSink& sink)
    : sink_(sink)
{
}

void AlarmJournal::linkOpened(const QString& source)
{
    source_ = source;
    known_.reset();
}

void AlarmJournal::inputsRead(const InstrumentState& state)
{
    const ReadStatus& status = state.status(InstrumentState::Block::DiscreteInputs);
    if (status.lastReadFailed || !status.lastGoodRead)
        return;
    std::bitset<RegisterMap::kBitBlockSize> bits;
    for (const WatchedInput& w : kWatched)
        bits[bitOf(w.input)] = state.discreteInput(w.input);
    const std::bitset<RegisterMap::kBitBlockSize> before = known_.value_or(std::bitset<RegisterMap::kBitBlockSize>{});
    known_ = bits;
    for (const WatchedInput& w : kWatched) {
        const bool on = bits[bitOf(w.input)];
        if (on == before[bitOf(w.input)])
            continue;
        JournalEvent event;
        event.time = *status.lastGoodRead;
        event.kind = on ? JournalEvent::Kind::AlarmRaised : JournalEvent::Kind::AlarmCleared;
        event.source = source_;
        event.what = QString::fromLatin1(w.what);
        sink_.append(event);
    }
}
