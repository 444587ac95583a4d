#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>

#include <QDateTime>
#include <QObject>

#include "instrument/RegisterMap.h"

// When one block of the instrument's values was last read and whether the
// latest attempt failed. Values read once stay until the next good read;
// lastGoodRead says how old they are, and is empty while nothing was read.
struct ReadStatus {
    std::optional<QDateTime> lastGoodRead;
    bool lastReadFailed = false;
};

// What the station knows of the one connected instrument, block by block as
// a poll cycle reads it: the measurements (input registers 1..8), the values
// the operator writes (holding registers 1..8), the 37 configuration
// parameters, the alarm set points and the discrete inputs and coils.
//
// The poller is the only writer, on the user-interface thread; the panels,
// the recorder and the probe read it there and subscribe to the change
// signals. Each signal follows every read of its block, good or failed, so
// a subscriber sees new values, a newer read time or a failure alike.
class InstrumentState : public QObject {
    Q_OBJECT

public:
    enum class Block { Measurements, Commands, Parameters, AlarmSetPoints, DiscreteInputs, Coils };

    explicit InstrumentState(QObject* parent = nullptr);

    // Input register 1..8 as a number (the output in tenths); 0 outside.
    float measurement(int inputRegister) const;
    float processValue() const { return measurement(RegisterMap::kProcessValue); }
    float output() const { return measurement(RegisterMap::kOutput); }
    float workingSetValue() const { return measurement(RegisterMap::kWorkingSetValue); }

    // Holding register 1..8 as a number (the manual output in tenths); 0 outside.
    float command(int holdingRegister) const;
    float writtenSetValue() const { return command(RegisterMap::kSetValue); }
    float writtenOutput() const { return command(RegisterMap::kManualOutput); }

    // Configuration parameter 1..37 in the instrument's units; 0 outside.
    float parameter(int number) const;

    // Register 257 + index of the alarm block (index 0..15), raw; 0 outside.
    int alarmRegister(int index) const;

    // Discrete input or coil 1..16; false outside.
    bool discreteInput(int input) const;
    bool coil(int coil) const;

    // Two poll cycles: a block read longer ago than this is stale.
    static constexpr qint64 kFreshForMs = 1000;

    const ReadStatus& status(Block block) const;
    bool everRead(Block block) const { return status(block).lastGoodRead.has_value(); }
    // Read well within kFreshForMs of now, either way: a clock set back
    // must not make an old read look new.
    bool isFresh(Block block, const QDateTime& now) const;
    // When the instrument last answered any read; empty before the first answer.
    std::optional<QDateTime> lastAnswer() const;

    // The poller's side. A good read replaces the block's values (for the
    // parameters: those of this read) and its read time.
    void setMeasurements(std::span<const int16_t, RegisterMap::kInputBlockSize> raw, const QDateTime& at);
    void setCommands(std::span<const int16_t, RegisterMap::kHoldingBlockSize> raw, const QDateTime& at);
    void setParameters(int firstNumber, std::span<const int16_t> raw, const QDateTime& at);
    void setAlarmRegisters(std::span<const int16_t, RegisterMap::kAlarmBlockSize> raw, const QDateTime& at);
    void setDiscreteInputs(std::bitset<RegisterMap::kBitBlockSize> bits, const QDateTime& at);
    void setCoils(std::bitset<RegisterMap::kBitBlockSize> bits, const QDateTime& at);
    // A failed read keeps the block's values as they were.
    void markReadFailed(Block block);

signals:
    void measurementsChanged();
    void commandsChanged();
    void parametersChanged();
    void alarmSetPointsChanged();
    void discreteInputsChanged();
    void coilsChanged();

private:
    void readSucceeded(Block block, const QDateTime& at);
    void announce(Block block);
    ReadStatus& statusOf(Block block);

    std::array<int16_t, RegisterMap::kInputBlockSize> inputRegisters_{};
    std::array<int16_t, RegisterMap::kHoldingBlockSize> holdingRegisters_{};
    std::array<int16_t, RegisterMap::kLastParameter> parameters_{};  // parameter n at n - 1
    std::array<int16_t, RegisterMap::kAlarmBlockSize> alarmRegisters_{};
    std::bitset<RegisterMap::kBitBlockSize> discreteInputs_;
    std::bitset<RegisterMap::kBitBlockSize> coils_;
    std::array<ReadStatus, 6> statuses_{};
};
