#include "instrument/InstrumentState.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The instrument sends tenths as whole register values; the station works
// with the quantity itself.
float scaled(int32_t raw, bool inTenths)
{
    return inTenths ? static_cast<float>(raw / 10.0) : static_cast<float>(raw);
}

template <size_t N>
int32_t at(const std::array<int16_t, N>& values, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? values[static_cast<size_t>(index)] : 0;
}

} // namespace

InstrumentState::InstrumentState(QObject* parent)
    : QObject(parent)
{
}

float InstrumentState::measurement(int inputRegister) const
{
    return scaled(at(inputRegisters_, inputRegister - RegisterMap::kInputBlockStart),
                  RegisterMap::inputInTenths(inputRegister));
}

float InstrumentState::command(int holdingRegister) const
{
    return scaled(at(holdingRegisters_, holdingRegister - RegisterMap::kHoldingBlockStart),
                  RegisterMap::holdingInTenths(holdingRegister));
}

float InstrumentState::parameter(int number) const
{
    return scaled(at(parameters_, number - RegisterMap::kFirstParameter), RegisterMap::parameterInTenths(number));
}

int InstrumentState::alarmRegister(int index) const
{
    return at(alarmRegisters_, index);
}

bool InstrumentState::discreteInput(int input) const
{
    const int index = input - RegisterMap::kBitBlockStart;
    return index >= 0 && index < RegisterMap::kBitBlockSize && discreteInputs_.test(static_cast<size_t>(index));
}

bool InstrumentState::coil(int coil) const
{
    const int index = coil - RegisterMap::kBitBlockStart;
    return index >= 0 && index < RegisterMap::kBitBlockSize && coils_.test(static_cast<size_t>(index));
}

const ReadStatus& InstrumentState::status(Block block) const
{
    return statuses_[static_cast<size_t>(block)];
}

ReadStatus& InstrumentState::statusOf(Block block)
{
    return statuses_[static_cast<size_t>(block)];
}

bool InstrumentState::isFresh(Block block, const QDateTime& now) const
{
    const std::optional<QDateTime>& read = status(block).lastGoodRead;
    return read && std::llabs(read->msecsTo(now)) <= kFreshForMs;
}

std::optional<QDateTime> InstrumentState::lastAnswer() const
{
    std::optional<QDateTime> latest;
    for (const ReadStatus& s : statuses_) {
        if (s.lastGoodRead && (!latest || *s.lastGoodRead > *latest))
            latest = s.lastGoodRead;
    }
    return latest;
}

void InstrumentState::setMeasurements(std::span<const int16_t, RegisterMap::kInputBlockSize> raw,
                                      const QDateTime& at)
{
    std::copy(raw.begin(), raw.end(), inputRegisters_.begin());
    readSucceeded(Block::Measurements, at);
}

void InstrumentState::setCommands(std::span<const int16_t, RegisterMap::kHoldingBlockSize> raw, const QDateTime& at)
{
    std::copy(raw.begin(), raw.end(), holdingRegisters_.begin());
    readSucceeded(Block::Commands, at);
}

void InstrumentState::setParameters(int firstNumber, std::span<const int16_t> raw, const QDateTime& at)
{
    for (size_t i = 0; i < raw.size(); ++i) {
        const int index = firstNumber - RegisterMap::kFirstParameter + static_cast<int>(i);
        // A read may run past the last parameter (the plan reads whole
        // register groups): what lies beyond is no parameter.
        if (index >= 0 && index < static_cast<int>(parameters_.size()))
            parameters_[static_cast<size_t>(index)] = raw[i];
    }
    readSucceeded(Block::Parameters, at);
}

void InstrumentState::setAlarmRegisters(std::span<const int16_t, RegisterMap::kAlarmBlockSize> raw,
                                        const QDateTime& at)
{
    std::copy(raw.begin(), raw.end(), alarmRegisters_.begin());
    readSucceeded(Block::AlarmSetPoints, at);
}

void InstrumentState::setDiscreteInputs(std::bitset<RegisterMap::kBitBlockSize> bits, const QDateTime& at)
{
    discreteInputs_ = bits;
    readSucceeded(Block::DiscreteInputs, at);
}

void InstrumentState::setCoils(std::bitset<RegisterMap::kBitBlockSize> bits, const QDateTime& at)
{
    coils_ = bits;
    readSucceeded(Block::Coils, at);
}

void InstrumentState::markReadFailed(Block block)
{
    statusOf(block).lastReadFailed = true;
    announce(block);
}

void InstrumentState::readSucceeded(Block block, const QDateTime& at)
{
    ReadStatus& s = statusOf(block);
    s.lastGoodRead = at;
    s.lastReadFailed = false;
    announce(block);
}

void InstrumentState::announce(Block block)
{
    switch (block) {
    case Block::Measurements: emit measurementsChanged(); break;
    case Block::Commands: emit commandsChanged(); break;
    case Block::Parameters: emit parametersChanged(); break;
    case Block::AlarmSetPoints: emit alarmSetPointsChanged(); break;
    case Block::DiscreteInputs: emit discreteInputsChanged(); break;
    case Block::Coils: emit coilsChanged(); break;
    }
}
