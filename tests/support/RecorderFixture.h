#pragma once

#include <memory>

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/HistoryFiles.h"
#include "support/StateFeed.h"
#include "instrument/InstrumentState.h"
#include "history/SampleRecorder.h"

// A recorder on a database in a fresh temporary folder, driven tick by tick
// with a clock that only moves when the test moves it.
class RecorderFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void start()
    {
        recorder = std::make_unique<SampleRecorder>(instrument, clock, path);
        recorder->start();
        recorder->stop();  // the test ticks it with the stepped clock
    }
    // As start(), with every health report caught in spy.
    void startWatching()
    {
        recorder = std::make_unique<SampleRecorder>(instrument, clock, path);
        spy = std::make_unique<QSignalSpy>(recorder.get(), &SampleRecorder::healthChanged);
        recorder->start();
        recorder->stop();
    }
    void restart()
    {
        recorder.reset();
        start();
    }
    // The instrument answers the poll now, with the values it had.
    void answer() { StateFeed::measuredAgain(instrument, clock.now()); }
    // One recorder tick while the instrument answers every poll cycle.
    void tick()
    {
        answer();
        recorder->tick();
    }
    // One tick a whole second later.
    void nextSecond()
    {
        clock.advanceMs(1000);
        tick();
    }
    // A history file made by the recorder's own connection code, with the
    // pointer set as a test needs it.
    void createWithPointer(int32_t newest, const std::vector<HistoryFiles::Row>& rows = {})
    {
        start();
        recorder.reset();
        ASSERT_TRUE(HistoryFiles::insertRows(path, rows, newest));
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    InstrumentState instrument;
    FakeClock clock{QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7))};
    std::unique_ptr<SampleRecorder> recorder;
    std::unique_ptr<QSignalSpy> spy;
};
