#include <atomic>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/PortConnection.h"
#include "instrument/ProcessImage.h"
#include "support/WaitFor.h"

namespace {

using Call = FakeFieldbus::Call;

const std::vector<std::string> kCycleReads{
    "Get_3X_D8", "Get_4X_D8", "Get_4X_D16", "Get_4X_D16", "Get_4X_D8", "Get_4X_D16",
    "Get_1X_B16", "Get_0X_B16"};

std::vector<std::string> withoutPortCalls(std::vector<std::string> names)
{
    std::erase_if(names, [](const std::string& n) { return n.find("Port_Modbus") != std::string::npos; });
    return names;
}

// The station's link wired as the main window wires it, over a fake fieldbus.
class LinkThread : public ::testing::Test {
protected:
    LinkThread()
    {
        link = std::make_unique<InstrumentLink>(std::make_unique<ForwardingFieldbus>(fake));
        poll = std::make_unique<Poller>(image, *link, clock);
        connection = std::make_unique<PortConnection>(image, *link, *poll);
        QObject::connect(poll.get(), &Poller::cycleFinished, [this](const CycleReport& r) { reports.push_back(r); });
        QObject::connect(link.get(), &InstrumentLink::writeFinished,
                         [this](const WriteOutcome& w) { writes.push_back(w); });
    }

    void openLink(const QString& port = QStringLiteral("2 "), const QString& address = QStringLiteral("7 "))
    {
        LinkChoices choices;
        choices.portText = port;
        choices.addressText = address;
        connection->open(choices);
        poll->Timer1.stop();  // tests run the cycles themselves
    }

    bool runCycle()
    {
        const size_t before = reports.size();
        poll->Timer1_Timer();
        return waitFor([&] { return reports.size() > before && !poll->cycleInProgress(); });
    }

    ProcessImage image;
    FakeClock clock;
    FakeFieldbus fake;  // outlives the link, so its log can be read after it
    FakeFieldbus* bus = &fake;
    std::unique_ptr<InstrumentLink> link;
    std::unique_ptr<Poller> poll;
    std::unique_ptr<PortConnection> connection;
    std::vector<CycleReport> reports;
    std::vector<WriteOutcome> writes;
};

TEST_F(LinkThread, cycleReadsTheSixBlocksInOrderWithPortAndAddress)
{
    openLink();
    ASSERT_TRUE(runCycle());
    const std::vector<Call> expected{
        {"OpenPort_Modbus", {2, 1, 0}},
        {"Get_3X_D8", {2, 7, 1}},
        {"Get_4X_D8", {2, 7, 1}},
        {"Get_4X_D16", {2, 7, 4097}},
        {"Get_4X_D16", {2, 7, 4113}},
        {"Get_4X_D8", {2, 7, 4129}},
        {"Get_4X_D16", {2, 7, 257}},
        {"Get_1X_B16", {2, 7, 1}},
        {"Get_0X_B16", {2, 7, 1}},
    };
    EXPECT_EQ(bus->calls(), expected);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].calls, 8);
    EXPECT_EQ(reports[0].failedCalls, 0);
}

TEST_F(LinkThread, everyCallRunsOnOneThreadThatIsNotTheWindowThread)
{
    openLink();
    ASSERT_TRUE(runCycle());
    link->writeRegister(2, 7, 1, 250);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    const auto threads = bus->callingThreads();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST_F(LinkThread, imageHoldsWhatTheInstrumentHolds)
{
    bus->setInputRegister(1, 523);
    bus->setInputRegister(2, 456);
    bus->setInputRegister(8, 3);
    bus->setHoldingRegister(2, 500);
    bus->setHoldingRegister(4102, 15);
    bus->setHoldingRegister(4133, 12);
    bus->setHoldingRegister(4134, 99);
    bus->setHoldingRegister(257, -1999);
    bus->setHoldingRegister(272, 4);
    bus->setDiscreteInput(1, true);
    bus->setDiscreteInput(3, true);
    bus->setDiscreteInput(16, true);
    bus->setCoil(2, true);
    openLink();
    ASSERT_TRUE(runCycle());
    EXPECT_FLOAT_EQ(image.inputValues[0], 523.0f);
    EXPECT_FLOAT_EQ(image.inputValues[1], 45.6f);
    EXPECT_FLOAT_EQ(image.inputValues[7], 3.0f);
    EXPECT_FLOAT_EQ(image.holdingValues[1], 50.0f);
    EXPECT_FLOAT_EQ(image.paramValues[6], 1.5f);
    EXPECT_FLOAT_EQ(image.paramValues[37], 12.0f);
    EXPECT_EQ(image.paramValues[38], 0.0f);
    EXPECT_EQ(image.alarmRegs[0], -1999);
    EXPECT_EQ(image.alarmRegs[15], 4);
    EXPECT_EQ(image.inputBits[0], 1);
    EXPECT_EQ(image.inputBits[1], 0);
    EXPECT_EQ(image.inputBits[2], 1);
    EXPECT_EQ(image.inputBits[15], 1);
    EXPECT_EQ(image.coilBits[0], 0);
    EXPECT_EQ(image.coilBits[1], 1);
}

TEST_F(LinkThread, writeQueuedDuringACycleRunsAtTheNextYield)
{
    openLink();
    bus->holdNext("Get_3X_D8");
    poll->Timer1_Timer();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    link->writeRegister(2, 7, 1, 250);
    link->setCoil(2, 7, 1);
    bus->release();
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }));

    auto names = withoutPortCalls(bus->callNames());
    std::vector<std::string> expected = kCycleReads;
    expected.insert(expected.begin() + 1, {"Set_4X_D1", "Set_0X_Bit1"});
    EXPECT_EQ(names, expected);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_TRUE(writes[0].ok);
    EXPECT_EQ(bus->holdingRegister(1), 250);
}

TEST_F(LinkThread, writesInsideTheParameterStepRunBetweenItsReads)
{
    openLink();
    bus->holdNext("Get_4X_D16");  // the first parameter read
    poll->Timer1_Timer();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    link->writeRegister(2, 7, 4097, 11);
    bus->release();
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }));
    auto names = withoutPortCalls(bus->callNames());
    std::vector<std::string> expected = kCycleReads;
    expected.insert(expected.begin() + 3, "Set_4X_D1");
    EXPECT_EQ(names, expected);
}

TEST_F(LinkThread, failedRegisterWriteIsRepeatedExactlyOnce)
{
    openLink();
    bus->scriptWriteResults({Fieldbus::kFailure, Fieldbus::kFailure});
    const quint64 id = link->writeRegister(2, 7, 260, 12);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    const std::vector<Call> expected{
        {"OpenPort_Modbus", {2, 1, 0}}, {"Set_4X_D1", {2, 7, 260, 12}}, {"Set_4X_D1", {2, 7, 260, 12}}};
    EXPECT_EQ(bus->calls(), expected);
    EXPECT_EQ(writes[0].id, id);
    EXPECT_EQ(writes[0].calls, 2);
    EXPECT_FALSE(writes[0].ok);
    EXPECT_FALSE(writes[0].error.isEmpty());
}

TEST_F(LinkThread, successfulOrRepeatedWriteSucceeds)
{
    openLink();
    bus->scriptWriteResults({0, Fieldbus::kFailure, 0});
    link->writeRegister(2, 7, 1, 100);
    link->writeRegister(2, 7, 1, 200);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 2; }));
    EXPECT_EQ(writes[0].calls, 1);
    EXPECT_TRUE(writes[0].ok);
    EXPECT_EQ(writes[1].calls, 2);
    EXPECT_TRUE(writes[1].ok);
    EXPECT_EQ(bus->holdingRegister(1), 200);
}

TEST_F(LinkThread, coilCommandsAreNeverRepeated)
{
    openLink();
    bus->failCalls("Rst_0X_Bit1");
    link->resetCoil(2, 7, 2);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    EXPECT_EQ(withoutPortCalls(bus->callNames()), std::vector<std::string>{"Rst_0X_Bit1"});
    EXPECT_FALSE(writes[0].ok);
    EXPECT_EQ(writes[0].kind, WriteOutcome::Kind::CoilOff);
}

TEST_F(LinkThread, tickDuringARunningCycleIsDroppedNotQueued)
{
    openLink();
    bus->holdNext("Get_4X_D8");
    poll->Timer1_Timer();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    poll->Timer1_Timer();
    poll->Timer1_Timer();
    EXPECT_EQ(poll->droppedTicks(), 2);
    bus->release();
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1 && !poll->cycleInProgress(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(withoutPortCalls(bus->callNames()), kCycleReads);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(LinkThread, closingDuringACycleStopsItsRemainingReads)
{
    openLink();
    bus->holdNext("Get_4X_D8");
    poll->Timer1_Timer();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    connection->close();
    bus->release();
    ASSERT_TRUE(waitFor([&] { return !poll->cycleInProgress(); }));
    const auto names = bus->callNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "ClosePort_Modbus");
    EXPECT_EQ(std::count(names.begin(), names.end(), "Get_3X_D8"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "Get_0X_B16"), 0);
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Closed);
}

TEST_F(LinkThread, closedLinkMakesNoCall)
{
    openLink();
    connection->close();
    poll->Timer1_Timer();
    ASSERT_TRUE(waitFor([&] { return !poll->cycleInProgress(); }));
    EXPECT_EQ(withoutPortCalls(bus->callNames()), std::vector<std::string>{});
    EXPECT_TRUE(reports.empty());  // aborted cycles are not reported as instrument failures
}

TEST_F(LinkThread, silentInstrumentKeepsTheImageAndReportsTheFailure)
{
    bus->setInputRegister(1, 523);
    bus->setHoldingRegister(4097, 11);
    openLink();
    ASSERT_TRUE(runCycle());
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Answering);

    bus->setInputRegister(1, 0);
    bus->failAll();
    const QDateTime failureStart = clock.now().addSecs(5);
    clock.set(failureStart);
    ASSERT_TRUE(runCycle());
    EXPECT_FLOAT_EQ(image.inputValues[0], 523.0f);
    EXPECT_FLOAT_EQ(image.paramValues[1], 11.0f);
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Silent);
    EXPECT_EQ(poll->linkHealth().failedCalls(), 8);
    EXPECT_EQ(poll->linkHealth().failingSince(), failureStart);

    clock.advanceMs(500);
    ASSERT_TRUE(runCycle());
    EXPECT_EQ(poll->linkHealth().failingSince(), failureStart);  // the episode goes on

    bus->failAll(false);
    ASSERT_TRUE(runCycle());
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Answering);
    EXPECT_FALSE(poll->linkHealth().failingSince().has_value());
    EXPECT_FLOAT_EQ(image.inputValues[0], 0.0f);
}

TEST_F(LinkThread, destroyingTheLinkClosesAnOpenPort)
{
    openLink();
    ASSERT_TRUE(runCycle());
    connection.reset();
    poll.reset();
    link.reset();
    const auto names = bus->callNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "ClosePort_Modbus");
}

TEST_F(LinkThread, destroyingTheLinkWaitsForTheCallInProgress)
{
    openLink();
    bus->holdNext("Get_4X_D8");
    poll->Timer1_Timer();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    std::atomic<bool> released{false};
    std::thread releaser([this, &released] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        released = true;
        bus->release();
    });
    connection.reset();
    poll.reset();
    link.reset();  // must not return while the held call still runs
    EXPECT_TRUE(released);
    releaser.join();
    EXPECT_EQ(bus->callNames().back(), "ClosePort_Modbus");
}

} // namespace
