#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <QRegularExpression>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/LinkTrace.h"
#include "support/ForwardingFieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/PortConnection.h"
#include "instrument/InstrumentState.h"
#include "support/WaitFor.h"

namespace {

using Call = FakeFieldbus::Call;

const std::vector<std::string> kCycleReads{
    "readInputRegisters", "readHoldingRegisters", "readHoldingRegisters", "readHoldingRegisters",
    "readHoldingRegisters", "readHoldingRegisters", "readDiscreteInputs", "readCoils"};

std::vector<std::string> withoutPortCalls(std::vector<std::string> names)
{
    std::erase_if(names, [](const std::string& n) { return n == "open" || n == "close"; });
    return names;
}

// The station's link wired as the main window wires it, over a fake fieldbus.
class LinkThread : public ::testing::Test {
protected:
    LinkThread()
    {
        link = std::make_unique<InstrumentLink>(std::make_unique<ForwardingFieldbus>(fake));
        poll = std::make_unique<Poller>(state, *link, clock);
        poll->setCycleInterval(std::chrono::hours(1));  // tests run the cycles themselves
        connection = std::make_unique<PortConnection>(*link, *poll);
        QObject::connect(poll.get(), &Poller::cycleFinished, [this](const CycleReport& r) { reports.push_back(r); });
        QObject::connect(link.get(), &InstrumentLink::writeFinished,
                         [this](const WriteOutcome& w) { writes.push_back(w); });
    }

    void writeRegister(int registerNumber, int value)
    {
        link->write(WriteRequest::toRegister(registerNumber, value, QStringLiteral("register"), &asker));
    }

    void writeCoil(int coil, bool on)
    {
        link->write(WriteRequest::toCoil(coil, on, QStringLiteral("coil"), &asker));
    }

    void openLink(const QString& port = QStringLiteral("2 "), const QString& address = QStringLiteral("7 "))
    {
        LinkChoices choices;
        choices.portText = port;
        choices.addressText = address;
        connection->open(choices);
    }

    bool runCycle()
    {
        const size_t before = reports.size();
        poll->startCycle();
        return waitFor([&] { return reports.size() > before && !poll->cycleInProgress(); });
    }

    InstrumentState state;
    FakeClock clock;
    QObject asker;
    FakeFieldbus fake;  // outlives the link, so its log can be read after it
    FakeFieldbus* bus = &fake;
    std::unique_ptr<InstrumentLink> link;
    std::unique_ptr<Poller> poll;
    std::unique_ptr<PortConnection> connection;
    std::vector<CycleReport> reports;
    std::vector<WriteOutcome> writes;
};

TEST_F(LinkThread, cycleReadsTheSixBlocksInOrderFromThePortAndModuleOpened)
{
    openLink();
    ASSERT_TRUE(runCycle());
    const std::vector<Call> expected{
        {"open", {2, 1, 0, 7}},
        {"readInputRegisters", {1, 8}},
        {"readHoldingRegisters", {1, 8}},
        {"readHoldingRegisters", {4097, 15}},
        {"readHoldingRegisters", {4112, 13}},
        {"readHoldingRegisters", {4125, 12}},
        {"readHoldingRegisters", {257, 16}},
        {"readDiscreteInputs", {1, 16}},
        {"readCoils", {1, 16}},
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
    writeRegister(1, 250);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    const auto threads = bus->callingThreads();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST_F(LinkThread, stateHoldsWhatTheInstrumentHolds)
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
    EXPECT_FLOAT_EQ(state.measurement(1), 523.0f);
    EXPECT_FLOAT_EQ(state.measurement(2), 45.6f);
    EXPECT_FLOAT_EQ(state.measurement(8), 3.0f);
    EXPECT_FLOAT_EQ(state.command(2), 50.0f);
    EXPECT_FLOAT_EQ(state.parameter(6), 1.5f);
    EXPECT_FLOAT_EQ(state.parameter(37), 12.0f);
    EXPECT_EQ(state.parameter(38), 0.0f);
    EXPECT_EQ(state.alarmRegister(0), -1999);
    EXPECT_EQ(state.alarmRegister(15), 4);
    EXPECT_EQ(state.discreteInput(1), 1);
    EXPECT_EQ(state.discreteInput(2), 0);
    EXPECT_EQ(state.discreteInput(3), 1);
    EXPECT_EQ(state.discreteInput(16), 1);
    EXPECT_EQ(state.coil(1), 0);
    EXPECT_EQ(state.coil(2), 1);
}

TEST_F(LinkThread, writeQueuedDuringACycleRunsAtTheNextYield)
{
    openLink();
    bus->holdNext("readInputRegisters");
    poll->startCycle();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    writeRegister(1, 250);
    writeCoil(1, true);
    bus->release();
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }));

    auto names = withoutPortCalls(bus->callNames());
    std::vector<std::string> expected = kCycleReads;
    expected.insert(expected.begin() + 1, {"writeRegister", "writeCoil"});
    EXPECT_EQ(names, expected);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_TRUE(writes[0].ok);
    EXPECT_EQ(bus->holdingRegister(1), 250);
}

TEST_F(LinkThread, writesInsideTheParameterStepRunBetweenItsReads)
{
    openLink();
    bus->holdNext("readHoldingRegisters", 4097);  // the first parameter read
    poll->startCycle();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    writeRegister(4097, 11);
    bus->release();
    ASSERT_TRUE(waitFor([&] { return reports.size() == 1; }));
    auto names = withoutPortCalls(bus->callNames());
    std::vector<std::string> expected = kCycleReads;
    expected.insert(expected.begin() + 3, "writeRegister");
    EXPECT_EQ(names, expected);
}

TEST_F(LinkThread, failedRegisterWriteIsRepeatedExactlyOnce)
{
    openLink();
    bus->scriptWriteResults({false, false});
    writeRegister(260, 12);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    const std::vector<Call> expected{
        {"open", {2, 1, 0, 7}}, {"writeRegister", {260, 12}}, {"writeRegister", {260, 12}}};
    EXPECT_EQ(bus->calls(), expected);
    EXPECT_EQ(writes[0].attempts, 2);
    EXPECT_FALSE(writes[0].ok);
    EXPECT_EQ(writes[0].error, QStringLiteral("scripted failure"));
}

TEST_F(LinkThread, outcomeComesBackWithItsRequest)
{
    openLink();
    QObject otherAsker;
    link->write(WriteRequest::toCoil(3, true, QStringLiteral("手动禁止"), &otherAsker));
    writeRegister(257, -1999);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 2; }));
    const WriteRequest& coil = writes[0].request;
    EXPECT_EQ(coil.target, WriteRequest::Target::Coil);
    EXPECT_EQ(coil.address, 3);
    EXPECT_TRUE(coil.on);
    EXPECT_EQ(coil.what, QStringLiteral("手动禁止"));
    EXPECT_EQ(coil.asker, &otherAsker);
    const WriteRequest& reg = writes[1].request;
    EXPECT_EQ(reg.target, WriteRequest::Target::Register);
    EXPECT_EQ(reg.address, 257);
    EXPECT_EQ(reg.value, -1999);
    EXPECT_EQ(reg.asker, &asker);
}

TEST_F(LinkThread, traceNamesEveryRequestAndItsOutcome)
{
    LinkTrace trace;
    openLink();
    ASSERT_TRUE(runCycle());
    bus->failCalls("writeCoil");
    writeRegister(260, 12);
    writeCoil(2, true);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 2; }));
    const QStringList lines = trace.lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("open port 2, baud code 1, parity code 0, module 7: ok"))) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^read \\d+ .* from \\d+: ok$"))).size(), 8);
    EXPECT_TRUE(lines.contains(QStringLiteral("read 15 holding registers from 4097: ok")));
    EXPECT_TRUE(lines.contains(QStringLiteral("read 16 coils from 1: ok")));
    EXPECT_TRUE(lines.contains(QStringLiteral("write register 260 = 12: ok")));
    EXPECT_TRUE(lines.contains(QStringLiteral("write coil 2 on: failed: scripted failure")));
    EXPECT_TRUE(lines.contains(QStringLiteral("write to coil 2 failed: scripted failure")));
}

TEST_F(LinkThread, successfulOrRepeatedWriteSucceeds)
{
    openLink();
    bus->scriptWriteResults({true, false, true});
    writeRegister(1, 100);
    writeRegister(1, 200);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 2; }));
    EXPECT_EQ(writes[0].attempts, 1);
    EXPECT_TRUE(writes[0].ok);
    EXPECT_EQ(writes[1].attempts, 2);
    EXPECT_TRUE(writes[1].ok);
    EXPECT_EQ(bus->holdingRegister(1), 200);
}

TEST_F(LinkThread, coilCommandsAreNeverRepeated)
{
    openLink();
    bus->failCalls("writeCoil");
    writeCoil(2, false);
    ASSERT_TRUE(waitFor([&] { return writes.size() == 1; }));
    EXPECT_EQ(bus->calls().back(), (Call{"writeCoil", {2, 0}}));
    EXPECT_EQ(withoutPortCalls(bus->callNames()), std::vector<std::string>{"writeCoil"});
    EXPECT_FALSE(writes[0].ok);
    EXPECT_EQ(writes[0].attempts, 1);
}

TEST_F(LinkThread, tickDuringARunningCycleIsDroppedNotQueued)
{
    openLink();
    bus->holdNext("readHoldingRegisters");
    poll->startCycle();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    poll->startCycle();
    poll->startCycle();
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
    bus->holdNext("readHoldingRegisters");
    poll->startCycle();
    ASSERT_TRUE(bus->waitUntilHeld(5000));
    connection->close();
    bus->release();
    ASSERT_TRUE(waitFor([&] { return !poll->cycleInProgress(); }));
    const auto names = bus->callNames();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "close");
    EXPECT_EQ(std::count(names.begin(), names.end(), "readInputRegisters"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "readCoils"), 0);
    EXPECT_EQ(poll->linkHealth().state(), LinkHealth::State::Closed);
}

TEST_F(LinkThread, closedLinkMakesNoCall)
{
    openLink();
    connection->close();
    poll->startCycle();
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
    EXPECT_FLOAT_EQ(state.measurement(1), 523.0f);
    EXPECT_FLOAT_EQ(state.parameter(1), 11.0f);
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
    EXPECT_FLOAT_EQ(state.measurement(1), 0.0f);
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
    EXPECT_EQ(names.back(), "close");
}

TEST_F(LinkThread, destroyingTheLinkWaitsForTheCallInProgress)
{
    openLink();
    bus->holdNext("readHoldingRegisters");
    poll->startCycle();
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
    EXPECT_EQ(bus->callNames().back(), "close");
}

// A fieldbus that says when the link thread has let go of it.
class WatchedFieldbus final : public Fieldbus {
public:
    WatchedFieldbus(Fieldbus& target, std::atomic<bool>& gone) : forward_(target), gone_(gone) {}
    ~WatchedFieldbus() override { gone_ = true; }

    FieldbusResult open(const LinkSettings& settings) override { return forward_.open(settings); }
    void close() override { forward_.close(); }
    FieldbusResult readRegisters(RegisterTable table, int start, std::span<int16_t> values) override
    {
        return forward_.readRegisters(table, start, values);
    }
    FieldbusResult readBits(BitTable table, int start, std::span<bool> bits) override
    {
        return forward_.readBits(table, start, bits);
    }
    FieldbusResult writeRegister(int registerNumber, int value) override
    {
        return forward_.writeRegister(registerNumber, value);
    }
    FieldbusResult writeCoil(int coil, bool on) override { return forward_.writeCoil(coil, on); }

private:
    ForwardingFieldbus forward_;
    std::atomic<bool>& gone_;
};

// Releases the held call the moment the link gives up waiting for its thread,
// so the thread left behind sends its results while the link is being freed.
class ReleaseWhenAbandoned {
public:
    explicit ReleaseWhenAbandoned(FakeFieldbus& bus)
    {
        bus_ = &bus;
        previous_ = qInstallMessageHandler(&ReleaseWhenAbandoned::watch);
    }
    ~ReleaseWhenAbandoned() { qInstallMessageHandler(previous_); }

private:
    static void watch(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (message.contains(QStringLiteral("did not end in time")))
            bus_->release();
    }

    static inline FakeFieldbus* bus_ = nullptr;
    QtMessageHandler previous_ = nullptr;
};

TEST(LinkLeftBehind, aThreadThatOutlivesTheLinkFinishesItsQueueAndFreesItselfWithoutReachingBack)
{
    FakeFieldbus bus;
    std::atomic<bool> fieldbusGone{false};
    auto link = std::make_unique<InstrumentLink>(std::make_unique<WatchedFieldbus>(bus, fieldbusGone));
    link->setStopWait(std::chrono::milliseconds(50));
    link->open(LinkSettings{});
    bus.holdNext("readInputRegisters");
    link->startPollCycle(1);
    ASSERT_TRUE(bus.waitUntilHeld(5000));
    link->write(WriteRequest::toRegister(1, 250, QStringLiteral("register"), nullptr));
    {
        ReleaseWhenAbandoned releaser(bus);
        link.reset();  // gives up on the held call after the stop wait
    }

    // The rest of the cycle, the write and the close run on the thread left
    // behind; then it ends and the worker goes with its fieldbus.
    ASSERT_TRUE(waitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return fieldbusGone.load();
    }));
    const auto names = bus.callNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "writeRegister"), 1);
    EXPECT_EQ(names.back(), "close");
}

} // namespace
