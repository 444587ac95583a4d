#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/ModbusFieldbus.h"
#include "link/PortConnection.h"
#include "instrument/ProcessImage.h"
#include "support/WaitFor.h"

// The station's link over libmodbus, wired as the station wires it, with
// port 1 mapped onto a device (normally the simulator's pseudo-terminal).
// The poll timer never fires: the test runs the cycles.
class RealLinkFixture : public ::testing::Test {
protected:
    void connectTo(const std::string& device, int moduleAddress = 1)
    {
        PortDevices devices;
        devices.setDevice(1, device);
        link = std::make_unique<InstrumentLink>(std::make_unique<ModbusFieldbus>(devices));
        poll = std::make_unique<Poller>(image, *link, clock);
        poll->setCycleInterval(std::chrono::hours(1));  // the test runs the cycles
        connection = std::make_unique<PortConnection>(*link, *poll);
        QObject::connect(poll.get(), &Poller::cycleFinished, [this](const CycleReport& r) { reports.push_back(r); });
        QObject::connect(link.get(), &InstrumentLink::writeFinished,
                         [this](const WriteOutcome& w) { writes.push_back(w); });
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

    // Closes the port and ends the link thread.
    void closeLink()
    {
        connection->close();
        connection.reset();
        poll.reset();
        link.reset();
    }

    ProcessImage image;
    FakeClock clock;
    QObject asker;
    std::unique_ptr<InstrumentLink> link;
    std::unique_ptr<Poller> poll;
    std::unique_ptr<PortConnection> connection;
    std::vector<CycleReport> reports;
    std::vector<WriteOutcome> writes;
};
