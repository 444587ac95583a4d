#pragma once

#include <bitset>
#include <optional>

#include <QString>

#include "instrument/RegisterMap.h"

class InstrumentState;
class JournalSink;

// Turns the instrument's alarm and input-fault bits (alarm outputs 1..3,
// input open, input short) into one "raised" event when a bit goes on and
// one "cleared" when it goes off, with the time of the read that saw it.
// Only a change is news: repeated polls of the same bits and failed reads
// say nothing. After the link opens nothing is known, so a bit already on
// at the first read is journaled as raised, once.
class AlarmJournal {
public:
    explicit AlarmJournal(JournalSink& sink);

    // The instrument the following reads come from; forgets the bits.
    void linkOpened(const QString& source);
    // After every read of the discrete inputs, good or failed.
    void inputsRead(const InstrumentState& state);

private:
    JournalSink& sink_;
    QString source_;
    std::optional<std::bitset<RegisterMap::kBitBlockSize>> known_;
};
