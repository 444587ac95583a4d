#pragma once

#include <array>

#include "instrument/RegisterMap.h"
#include "link/ReadShape.h"

// The eight reads of one poll cycle, in the order the instrument is asked.
// The cycle yields to queued operator writes and reads between every two
// reads: once between consecutive steps and twice inside the parameter step.
//
// No two reads share a shape (function and register count, see ReadShape),
// nor any read with the link's probes and read-backs: the parameters go in
// three reads of 15, 13 and 12 registers, none of them the 8 of the holding
// block or the 16 of the alarm block. So an answer that comes twice, late or
// one request behind fails the check of the read it meets.
struct PollRead {
    using Table = ReadTable;

    int step;    // 1..6
    Table table;
    int start;   // first 1-based address
    int count;
    int offset;  // first element of PollBlock::registers that receives it
    int index;   // which read of its step (0..2)
    bool last;   // the step's block is complete after this read

    constexpr ReadShape shape() const { return ReadShape::of(table, count); }
};

inline constexpr std::array<PollRead, 8> kPollPlan{{
    {1, PollRead::Table::InputRegisters, RegisterMap::kInputBlockStart, RegisterMap::kInputBlockSize, 0, 0, true},
    {2, PollRead::Table::HoldingRegisters, RegisterMap::kHoldingBlockStart, RegisterMap::kHoldingBlockSize, 0, 0, true},
    // The parameters 1..40 in three reads, element n of the block holding parameter n.
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(1), 15, 1, 0, false},
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(16), 13, 16, 1, false},
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(29), 12, 29, 2, true},
    {4, PollRead::Table::HoldingRegisters, RegisterMap::kAlarmBlockStart, RegisterMap::kAlarmBlockSize, 0, 0, true},
    {5, PollRead::Table::DiscreteInputs, RegisterMap::kBitBlockStart, RegisterMap::kBitBlockSize, 0, 0, true},
    {6, PollRead::Table::Coils, RegisterMap::kBitBlockStart, RegisterMap::kBitBlockSize, 0, 0, true},
}};

namespace ReadShapes {

// Every shape of the poll, then the link's own reads.
inline constexpr auto kPollAndLinkReads = [] {
    std::array<ReadShape, kPollPlan.size()> poll{};
    std::transform(kPollPlan.begin(), kPollPlan.end(), poll.begin(), [](const PollRead& r) { return r.shape(); });
    return joined(poll, kLinkReads);
}();
static_assert(allDistinct(kPollAndLinkReads), "two reads the link makes share an answer's shape");

} // namespace ReadShapes

// The parameter step fills registers[1..40] exactly, each element once.
static_assert([] {
    int next = 1;
    for (const PollRead& read : kPollPlan) {
        if (read.step != 3)
            continue;
        if (read.offset != next || read.start != RegisterMap::parameter(read.offset))
            return false;
        next += read.count;
    }
    return next == 41;
}(), "the parameter reads do not cover parameters 1..40 in order");
