#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/ModbusFieldbus.h"
#include "station/StationCore.h"
#include "support/FakeClock.h"
#include "support/WaitFor.h"

// The station's core over libmodbus, without a history file, with port 1
// mapped onto a device (normally the simulator's pseudo-terminal). The
// poll timer never fires: the test runs the cycles.
class RealLinkFixture : public ::testing::Test {
protected:
    void connectTo(const std::string& device, int moduleAddress = 1)
    {
        PortDevices devices;
        devices.setDevice(1, device);
        core = std::make_unique<StationCore>(std::make_unique<ModbusFieldbus>(devices), clock);
        link = &core->link();
        poll = &core->poller();
        connection = &core->connection();
        poll->setCycleInterval(std::chrono::hours(1));  // the test runs the cycles
        QObject::connect(poll, &Poller::cycleFinished, [this](const CycleReport& r) { reports.push_back(r); });
        QObject::connect(link, &InstrumentLink::writeFinished, [this](const WriteOutcome& w) {
            if (w.request.asker == &asker)
                writes.push_back(w);
        });
        connection->open(LinkSettings{1, 1, 0, moduleAddress});  // 9600 baud, no parity
    }

    // Runs one cycle and returns how long it took on the wall clock.
    std::chrono::milliseconds runCycle()
    {
        const auto started = std::chrono::steady_clock::now();
        const size_t before = reports.size();
        poll->startCycle();
        EXPECT_TRUE(waitFor([&] { return reports.size() > before; }, 10000));
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    }

    // Cycles until one answers in full; how many it took (most + 1: never).
    int cyclesUntilAnswered(int most)
    {
        for (int n = 1; n <= most; ++n) {
            runCycle();
            if (reports.back().failedCalls == 0)
                return n;
        }
        return most + 1;
    }

    const CycleReport& lastReport() const { return reports.back(); }

    void writeRegister(int registerNumber, int value)
    {
        link->write(WriteRequest::toRegister(registerNumber, value, QStringLiteral("register"), &asker));
    }

    void writeCoil(int coil, bool on)
    {
        link->write(WriteRequest::toCoil(coil, on, QStringLiteral("coil"), &asker));
    }

    // Closes the port and waits until the link thread has done so; the
    // state keeps what the last cycles read.
    void closeLink()
    {
        connection->close();
        // Calls run in order: a write queued after the close comes back
        // (refused, the port being closed) only once the close has run.
        QObject marker;
        bool closed = false;
        QObject::connect(link, &InstrumentLink::writeFinished, &marker,
                         [&](const WriteOutcome& w) { closed = closed || w.request.asker == &marker; });
        link->write(WriteRequest::toCoil(1, false, QStringLiteral("marker"), &marker));
        ASSERT_TRUE(waitFor([&] { return closed; }));
    }

    const InstrumentState& state() const { return core->state(); }

    FakeClock clock;
    QObject asker;
    std::unique_ptr<StationCore> core;
    InstrumentLink* link = nullptr;
    Poller* poll = nullptr;
    PortConnection* connection = nullptr;
    std::vector<CycleReport> reports;
    std::vector<WriteOutcome> writes;
};
