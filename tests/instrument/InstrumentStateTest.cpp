#include <array>
#include <bitset>

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "instrument/InstrumentState.h"

namespace {

using Block = InstrumentState::Block;

const QDateTime kFirstRead(QDate(2026, 3, 1), QTime(10, 0, 0));
const QDateTime kLaterRead = kFirstRead.addMSecs(500);

TEST(InstrumentState, beforeTheFirstAnswerNothingCountsAsRead)
{
    InstrumentState state;
    EXPECT_FALSE(state.lastAnswer().has_value());
    for (Block b : {Block::Measurements, Block::Commands, Block::Parameters, Block::AlarmSetPoints,
                    Block::DiscreteInputs, Block::Coils}) {
        EXPECT_FALSE(state.status(b).lastGoodRead.has_value());
        EXPECT_FALSE(state.status(b).lastReadFailed);
    }
}

TEST(InstrumentState, aGoodReadStoresScaledValuesItsTimeAndAnnouncesItOnce)
{
    InstrumentState state;
    QSignalSpy changed(&state, &InstrumentState::measurementsChanged);
    QSignalSpy others(&state, &InstrumentState::commandsChanged);

    const std::array<int16_t, 8> raw{523, 457, 600, 21, -77, 2, 0, 0};
    state.setMeasurements(raw, kFirstRead);

    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(others.count(), 0);
    EXPECT_FLOAT_EQ(state.processValue(), 523.0f);
    EXPECT_FLOAT_EQ(state.output(), 45.7f);  // kept in tenths by the instrument
    EXPECT_FLOAT_EQ(state.workingSetValue(), 600.0f);
    EXPECT_FLOAT_EQ(state.measurement(RegisterMap::kDeviation), -77.0f);
    EXPECT_FLOAT_EQ(state.measurement(RegisterMap::kAlarmState1), 2.0f);
    EXPECT_FLOAT_EQ(state.measurement(9), 0.0f);
    EXPECT_EQ(state.status(Block::Measurements).lastGoodRead, kFirstRead);
    EXPECT_EQ(state.lastAnswer(), kFirstRead);
}

TEST(InstrumentState, aFailedReadKeepsValuesAndTimeUntilTheNextGoodRead)
{
    InstrumentState state;
    const std::array<int16_t, 8> first{250, -15, 0, 0, 0, 0, 0, 0};
    state.setCommands(first, kFirstRead);
    QSignalSpy changed(&state, &InstrumentState::commandsChanged);

    state.markReadFailed(Block::Commands);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(state.status(Block::Commands).lastReadFailed);
    EXPECT_EQ(state.status(Block::Commands).lastGoodRead, kFirstRead);
    EXPECT_FLOAT_EQ(state.writtenSetValue(), 250.0f);
    EXPECT_FLOAT_EQ(state.writtenOutput(), -1.5f);

    const std::array<int16_t, 8> second{300, 0, 0, 0, 0, 0, 0, 0};
    state.setCommands(second, kLaterRead);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_FALSE(state.status(Block::Commands).lastReadFailed);
    EXPECT_EQ(state.status(Block::Commands).lastGoodRead, kLaterRead);
    EXPECT_FLOAT_EQ(state.writtenSetValue(), 300.0f);
}

TEST(InstrumentState, eachParameterReadReplacesOnlyItsOwnParametersAndNothingBeyondTheLast)
{
    InstrumentState state;
    std::array<int16_t, 16> firstPart{};
    for (int i = 0; i < 16; ++i)
        firstPart[static_cast<size_t>(i)] = 100 + i;  // parameters 1..16
    state.setParameters(1, firstPart, kFirstRead);

    // The last read covers registers past parameter 37.
    const std::array<int16_t, 8> lastPart{15, 1, 2, 3, 4, 999, 999, 999};  // parameters 33..40
    state.setParameters(33, lastPart, kLaterRead);

    EXPECT_FLOAT_EQ(state.parameter(1), 100.0f);
    EXPECT_FLOAT_EQ(state.parameter(6), 10.5f);    // the filter, in tenths
    EXPECT_FLOAT_EQ(state.parameter(16), 115.0f);
    EXPECT_FLOAT_EQ(state.parameter(17), 0.0f);    // never read
    EXPECT_FLOAT_EQ(state.parameter(33), 1.5f);    // the dead band, in tenths
    EXPECT_FLOAT_EQ(state.parameter(37), 4.0f);
    EXPECT_FLOAT_EQ(state.parameter(38), 0.0f);
    EXPECT_EQ(state.status(Block::Parameters).lastGoodRead, kLaterRead);
}

TEST(InstrumentState, bitsAreNumberedFromOneAndTheLastAnswerIsTheNewestGoodRead)
{
    InstrumentState state;
    state.setDiscreteInputs(std::bitset<16>(0b100001), kLaterRead);
    state.setCoils(std::bitset<16>(0b110), kFirstRead);
    state.markReadFailed(Block::Measurements);

    EXPECT_TRUE(state.discreteInput(RegisterMap::kAlarmOutput1));
    EXPECT_TRUE(state.discreteInput(RegisterMap::kInputShort));
    EXPECT_FALSE(state.discreteInput(RegisterMap::kInputOpen));
    EXPECT_FALSE(state.discreteInput(0));
    EXPECT_FALSE(state.discreteInput(17));
    EXPECT_FALSE(state.coil(RegisterMap::kSelfTune));
    EXPECT_TRUE(state.coil(RegisterMap::kAutomatic));
    EXPECT_TRUE(state.coil(RegisterMap::kManualPermitted));
    EXPECT_EQ(state.lastAnswer(), kLaterRead);
}

} // namespace
