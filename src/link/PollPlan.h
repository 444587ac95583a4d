#pragma once

#include <array>

#include "instrument/RegisterMap.h"

// The eight reads of one poll cycle, in the order the instrument is asked.
// The cycle yields to queued operator writes between every two reads: once
// between consecutive steps and twice inside the parameter step.
struct PollRead {
    enum class Table { InputRegisters, HoldingRegisters, DiscreteInputs, Coils };

    int step;    // 1..6
    Table table;
    int start;   // first 1-based address
    int count;
    int offset;  // first element of PollBlock::registers that receives it
    int index;   // which read of its step (0..2)
    bool last;   // the step's block is complete after this read
};

inline constexpr std::array<PollRead, 8> kPollPlan{{
    {1, PollRead::Table::InputRegisters, RegisterMap::kInputBlockStart, RegisterMap::kInputBlockSize, 0, 0, true},
    {2, PollRead::Table::HoldingRegisters, RegisterMap::kHoldingBlockStart, RegisterMap::kHoldingBlockSize, 0, 0, true},
    // The parameters in three reads, element n of the block holding parameter n.
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(1), 16, 1, 0, false},
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(17), 16, 17, 1, false},
    {3, PollRead::Table::HoldingRegisters, RegisterMap::parameter(33), 8, 33, 2, true},
    {4, PollRead::Table::HoldingRegisters, RegisterMap::kAlarmBlockStart, RegisterMap::kAlarmBlockSize, 0, 0, true},
    {5, PollRead::Table::DiscreteInputs, RegisterMap::kBitBlockStart, RegisterMap::kBitBlockSize, 0, 0, true},
    {6, PollRead::Table::Coils, RegisterMap::kBitBlockStart, RegisterMap::kBitBlockSize, 0, 0, true},
}};
