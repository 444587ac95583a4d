#pragma once

#include <array>
#include <cstdint>

#include <QMetaType>
#include <QString>

#include "link/LinkFailure.h"

// What one step of a poll cycle read, carried from the link thread to the
// user-interface thread by value. Where each step puts it:
//   1 input registers 3X 1..8        registers[0..7]
//   2 holding registers 4X 1..8      registers[0..7]
//   3 parameters 4X 4097..4136       registers[1..40] (element i is 4096 + i)
//   4 alarm registers 4X 257..272    registers[0..15]
//   5 discrete inputs 1X 1..16       bits[0..15]
//   6 coils 0X 1..16                 bits[0..15]
// readOk tells, per read of the step, whether it answered; the elements of
// a failed read are meaningless.
struct PollBlock {
    static constexpr int kSteps = 6;

    int cycle = 0;
    int step = 0;
    std::array<int16_t, 41> registers{};
    std::array<bool, 16> bits{};
    std::array<bool, 3> readOk{};
};

// The end of one poll cycle: how many calls it made and how many failed.
// An aborted cycle (link closed, or started while closed) made no further
// calls and says nothing about the instrument.
struct CycleReport {
    int cycle = 0;
    int calls = 0;
    int failedCalls = 0;
    bool aborted = false;
    QString failureReason;  // of the cycle's last failed call
    LinkFailure failure;    // its kind
};

Q_DECLARE_METATYPE(PollBlock)
Q_DECLARE_METATYPE(CycleReport)
