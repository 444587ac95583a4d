#pragma once

#include <chrono>
#include <memory>

#include <QPushButton>
#include <QTemporaryDir>

#include "core/DateValue.h"
#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "support/HistoryFiles.h"
#include "support/StateFeed.h"
#include "support/TakenSample.h"
#include "history/HistoryDatabase.h"
#include "mainwindow/LinkSettingsBar.h"
#include "mainwindow/MainWindow.h"
#include "station/StationCore.h"

// The main window on a fake fieldbus, a clock that only moves when its
// user moves it and a history database in a fresh temporary folder. The
// window runs no timers of its own: its user ticks it. Free of any test
// framework, so the benchmarks build on it too.
struct StationRig {
    static inline const QDateTime kRecordStart{QDate(2001, 3, 12), QTime(13, 0, 0)};

    // A history file holding records first..last, one second apart from
    // kRecordStart, with `newest` in sl_void; false with nothing seeded when
    // the file cannot be made.
    bool seed(int32_t first, int32_t last, int32_t newest)
    {
        {
            HistoryDatabase creator(QStringLiteral("test-seed"), path);
            if (!creator.open())
                return false;
        }
        return HistoryFiles::insertRows(
            path, HistoryFiles::sequence(first, last, DateValue::fromDateTime(kRecordStart)), newest);
    }

    void startWindow()
    {
        window = std::make_unique<MainWindow>(core, MainWindow::Ticking::ByCaller);
        window->start();
    }

    // "打开" as the operator presses it, with a poll that does not tick
    // meanwhile: the writes need the open link, and the values the test
    // feeds stay as fed.
    void openLinkWithoutPolls()
    {
        poll.setCycleInterval(std::chrono::hours(1));
        window->settings()->openButton()->click();
    }

    // The instrument answers the poll now, with the values it had: the
    // recorder stores only what was read in the last two poll cycles.
    void instrumentAnswers() { StateFeed::measuredAgain(state, clock.now()); }

    // One live refresh tick with a sample the recorder has just taken, a
    // second after the one before.
    void tickWithSample()
    {
        emit recorder.sampleTaken(takenSample(state, sampleSeconds.next(clock.now())));
        window->refreshLiveValues();
    }

    // The record number a trend slot holds (value column 0 carries it).
    int32_t idAt(int slot) const
    {
        return static_cast<int32_t>(window->trendBuffers().trendValues[static_cast<size_t>(slot)][0]);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    FakeClock clock{QDateTime(QDate(2001, 3, 12), QTime(14, 5, 7))};
    FakeFieldbus bus;
    StationCore core{std::make_unique<ForwardingFieldbus>(bus), clock, path};
    InstrumentState& state = core.state();
    InstrumentLink& link = core.link();
    Poller& poll = core.poller();
    PortConnection& connection = core.connection();
    SampleRecorder& recorder = core.recorder();
    SampleSeconds sampleSeconds;
    std::unique_ptr<MainWindow> window;  // last, so it goes first
};
