#pragma once

#include <array>

// The eight reads of one poll cycle, in the order the instrument is asked.
// The cycle yields to queued operator writes between every two reads: once
// between consecutive steps and twice inside the parameter step.
struct PollRead {
    enum class Kind { Input8, Holding8, Holding16, DiscreteInputs16, Coils16 };

    int step;    // 1..6
    Kind kind;
    int start;   // first 1-based address
    int offset;  // first element of PollBlock::raw that receives it
    int index;   // which read of its step (0..2)
    bool last;   // the step's block is complete after this read
};

inline constexpr std::array<PollRead, 8> kPollPlan{{
    {1, PollRead::Kind::Input8, 1, 0, 0, true},
    {2, PollRead::Kind::Holding8, 1, 0, 0, true},
    {3, PollRead::Kind::Holding16, 4097, 1, 0, false},
    {3, PollRead::Kind::Holding16, 4113, 17, 1, false},
    {3, PollRead::Kind::Holding8, 4129, 33, 2, true},
    {4, PollRead::Kind::Holding16, 257, 0, 0, true},
    {5, PollRead::Kind::DiscreteInputs16, 1, 0, 0, true},
    {6, PollRead::Kind::Coils16, 1, 0, 0, true},
}};
