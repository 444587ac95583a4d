#include "journal/AlarmJournal.h"

#include <array>

#include "instrument/InstrumentState.h"
#include "journal/JournalSink.h"

namespace {

struct WatchedInput {
    int input;
    const char* what;
    const char* raisedText;   // the live panel's texts for the input
    const char* clearedText;
};

constexpr std::array<WatchedInput, 5> kWatched{{
    {RegisterMap::kAlarmOutput1, "ALM1", "ALM1报警", "ALM1 OFF"},
    {RegisterMap::kAlarmOutput1 + 1, "ALM2", "ALM2报警", "ALM2 OFF"},
    {RegisterMap::kAlarmOutput1 + 2, "ALM3", "ALM3报警", "ALM3 OFF"},
    {RegisterMap::kInputOpen, "BREAK", "输入开路", "NO BREAK"},
    {RegisterMap::kInputShort, "SHORT", "输入短路", "NO SHORT"},
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
        event.text = QString::fromUtf8(on ? w.raisedText : w.clearedText);
        sink_.append(event);
    }
}
