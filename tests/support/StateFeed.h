#pragma once

#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>

#include <QDateTime>

#include "instrument/InstrumentState.h"
#include "instrument/RegisterMap.h"

// Puts chosen values into an instrument state the way a poll's good read of
// their block would, for tests that need values on screen or on disk
// without a fieldbus. Values are in the instrument's units (an output of
// 45.7 is the register value 457); the rest of the block keeps what the
// state holds.
namespace StateFeed {

inline const QDateTime kReadTime{QDate(2001, 3, 12), QTime(14, 5, 7)};

inline int16_t raw(double value, bool inTenths)
{
    return static_cast<int16_t>(std::lround(inTenths ? value * 10.0 : value));
}

inline void setMeasurement(InstrumentState& state, int inputRegister, double value, const QDateTime& at = kReadTime)
{
    std::array<int16_t, RegisterMap::kInputBlockSize> block{};
    for (int i = 0; i < RegisterMap::kInputBlockSize; ++i) {
        const int r = RegisterMap::kInputBlockStart + i;
        block[static_cast<size_t>(i)] =
            raw(r == inputRegister ? value : state.measurement(r), RegisterMap::inputInTenths(r));
    }
    state.setMeasurements(block, at);
}

// The instrument answers the measurements' read again at `at`, with the
// values it had: the state's read time moves, its values stay.
inline void measuredAgain(InstrumentState& state, const QDateTime& at)
{
    setMeasurement(state, RegisterMap::kProcessValue, state.processValue(), at);
}

inline void setCommand(InstrumentState& state, int holdingRegister, double value, const QDateTime& at = kReadTime)
{
    std::array<int16_t, RegisterMap::kHoldingBlockSize> block{};
    for (int i = 0; i < RegisterMap::kHoldingBlockSize; ++i) {
        const int r = RegisterMap::kHoldingBlockStart + i;
        block[static_cast<size_t>(i)] =
            raw(r == holdingRegister ? value : state.command(r), RegisterMap::holdingInTenths(r));
    }
    state.setCommands(block, at);
}

inline void setParameter(InstrumentState& state, int number, double value, const QDateTime& at = kReadTime)
{
    const std::array<int16_t, 1> one{raw(value, RegisterMap::parameterInTenths(number))};
    state.setParameters(number, one, at);
}

inline void setAlarmRegister(InstrumentState& state, int index, int value, const QDateTime& at = kReadTime)
{
    std::array<int16_t, RegisterMap::kAlarmBlockSize> block{};
    for (int i = 0; i < RegisterMap::kAlarmBlockSize; ++i)
        block[static_cast<size_t>(i)] = static_cast<int16_t>(i == index ? value : state.alarmRegister(i));
    state.setAlarmRegisters(block, at);
}

inline void setDiscreteInput(InstrumentState& state, int input, bool on, const QDateTime& at = kReadTime)
{
    std::bitset<RegisterMap::kBitBlockSize> bits;
    for (int i = 0; i < RegisterMap::kBitBlockSize; ++i) {
        const int b = RegisterMap::kBitBlockStart + i;
        bits[static_cast<size_t>(i)] = b == input ? on : state.discreteInput(b);
    }
    state.setDiscreteInputs(bits, at);
}

inline void setCoil(InstrumentState& state, int coil, bool on, const QDateTime& at = kReadTime)
{
    std::bitset<RegisterMap::kBitBlockSize> bits;
    for (int i = 0; i < RegisterMap::kBitBlockSize; ++i) {
        const int b = RegisterMap::kBitBlockStart + i;
        bits[static_cast<size_t>(i)] = b == coil ? on : state.coil(b);
    }
    state.setCoils(bits, at);
}

} // namespace StateFeed
