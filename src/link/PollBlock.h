#pragma once

#include <array>
#include <cstdint>

#include <QMetaType>
#include <QString>

// What one step of a poll cycle read, carried from the link thread to the
// user-interface thread by value. Layout of raw by step:
//   1 input registers 3X 1..8        raw[0..7]
//   2 holding registers 4X 1..8      raw[0..7]
//   3 parameters 4X 4097..4136       raw[1..40] (element i is 4096 + i)
//   4 alarm registers 4X 257..272    raw[0..15]
//   5 discrete inputs 1X 1..16       raw[0..1] as two byte values
//   6 coils 0X 1..16                 raw[0..1] as two byte values
// readOk tells, per library call of the step, whether it answered; the
// elements of a failed call are meaningless.
struct PollBlock {
    static constexpr int kSteps = 6;

    int cycle = 0;
    int step = 0;
    std::array<int32_t, 41> raw{};
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
    QString lastError;
};

// The outcome of one operator write, queued onto the link thread.
struct WriteOutcome {
    enum class Kind { Register, CoilOn, CoilOff };

    quint64 id = 0;
    Kind kind = Kind::Register;
    int address = 0;     // register or coil number
    int value = 0;       // register value; unused for coils
    int calls = 0;       // 2 when a failed register write was repeated
    bool ok = false;     // the last call succeeded
    QString error;
};

Q_DECLARE_METATYPE(PollBlock)
Q_DECLARE_METATYPE(CycleReport)
Q_DECLARE_METATYPE(WriteOutcome)
