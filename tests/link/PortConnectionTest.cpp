#include <chrono>
#include <memory>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "link/InstrumentLink.h"
#include "link/Poller.h"
#include "link/PortConnection.h"
#include "instrument/InstrumentState.h"
#include "support/WaitFor.h"

namespace {

using Call = FakeFieldbus::Call;

class PortConnectionTest : public ::testing::Test {
protected:
    bool waitForCalls(size_t count)
    {
        return waitFor([&] { return bus.calls().size() >= count; });
    }

    InstrumentState state;
    FakeClock clock;
    FakeFieldbus bus;
    InstrumentLink link{std::make_unique<ForwardingFieldbus>(bus)};
    Poller poll{state, link, clock};
    PortConnection connection{link, poll};
};

TEST_F(PortConnectionTest, openFixesTheChosenSettingsOpensThePortAndStartsThePoll)
{
    LinkChoices choices{QStringLiteral("3 "), 2, 1, QStringLiteral("16 ")};
    connection.open(choices);
    EXPECT_EQ(link.settings(), (LinkSettings{3, 2, 1, 16}));
    EXPECT_TRUE(poll.running());
    EXPECT_EQ(poll.cycleInterval(), std::chrono::milliseconds(500));
    EXPECT_TRUE(connection.isOpen());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(bus.calls().front(), (Call{"open", {3, 2, 1, 16}}));
}

TEST_F(PortConnectionTest, portTextIsReadByItsLeadingNumber)
{
    const std::pair<const char*, int> cases[] = {{"3abc", 3}, {"abc", 0}, {" 20 ", 20}, {"2.5", 2}};
    for (const auto& [text, port] : cases) {
        connection.open(LinkChoices{QString::fromUtf8(text), 1, 0, QStringLiteral("1 ")});
        EXPECT_EQ(link.settings().port, port) << text;
    }
}

TEST_F(PortConnectionTest, openingTwiceOpensThePortTwiceWithTheSameSettings)
{
    connection.open(LinkChoices{});
    connection.open(LinkChoices{});
    ASSERT_TRUE(waitForCalls(2));
    const std::vector<Call> expected{{"open", {1, 1, 0, 1}}, {"open", {1, 1, 0, 1}}};
    EXPECT_EQ(bus.calls(), expected);
}

TEST_F(PortConnectionTest, closeBeforeAnyOpenStillClosesThePort)
{
    connection.close();
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(bus.calls().front(), (Call{"close", {}}));
    EXPECT_FALSE(connection.isOpen());
}

TEST_F(PortConnectionTest, closeStopsThePollAndKeepsTheSettings)
{
    connection.open(LinkChoices{QStringLiteral("4 "), 0, 2, QStringLiteral("9 ")});
    connection.close();
    EXPECT_FALSE(poll.running());
    EXPECT_EQ(link.settings(), (LinkSettings{4, 0, 2, 9}));
    ASSERT_TRUE(waitForCalls(2));
    EXPECT_EQ(bus.calls()[1], (Call{"close", {}}));
}

TEST_F(PortConnectionTest, signalsOpenedBeforeThePollStartsAndClosedAfterItStops)
{
    bool pollRunningWhenOpened = true;
    bool pollRunningWhenClosed = true;
    QObject::connect(&connection, &PortConnection::opened, [&] { pollRunningWhenOpened = poll.running(); });
    QObject::connect(&connection, &PortConnection::closed, [&] { pollRunningWhenClosed = poll.running(); });
    connection.open(LinkChoices{});
    connection.close();
    EXPECT_FALSE(pollRunningWhenOpened);
    EXPECT_FALSE(pollRunningWhenClosed);
}

TEST_F(PortConnectionTest, unchosenButtonsAndOversizedTextsKeepTheStoredValues)
{
    connection.open(LinkChoices{QStringLiteral("5 "), 2, 2, QStringLiteral("3 ")});
    connection.open(LinkChoices{QStringLiteral("1e20"), -1, -1, QStringLiteral("4 ")});
    EXPECT_EQ(link.settings(), (LinkSettings{5, 2, 2, 4}));
}

// The lock of a device as another station would try it.
StationLock::Outcome anotherStationTakes(const QString& device)
{
    StationLock other(StationLock::pathForDevice(device));
    return other.take();
}

TEST_F(PortConnectionTest, theDeviceLockFollowsTheDeviceThePortLeadsTo)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("pts-first"));
    const QString second = dir.filePath(QStringLiteral("pts-second"));
    const QString port = dir.filePath(QStringLiteral("tty"));
    for (const QString& node : {first, second}) {
        QFile device(node);
        ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(first, port));
    PortDevices devices;
    devices.setDevice(1, port.toStdString());
    connection.lockDevices(devices);
    ASSERT_TRUE(connection.open(LinkSettings{1, 1, 0, 1}));
    EXPECT_EQ(anotherStationTakes(first), StationLock::Outcome::Held);

    // The device goes away: its name is free for whoever gets it next.
    QFile::remove(port);
    QFile::remove(first);
    connection.followDevice();
    EXPECT_EQ(anotherStationTakes(first), StationLock::Outcome::Taken);

    // The port leads to a device again: claimed before anyone else polls it.
    ASSERT_TRUE(QFile::link(second, port));
    connection.followDevice();
    EXPECT_EQ(anotherStationTakes(second), StationLock::Outcome::Held);
    EXPECT_TRUE(connection.isOpen());
}

TEST_F(PortConnectionTest, aDeviceAnotherStationTookMeanwhileClosesThePortWithTheRefusal)
{
    QTemporaryDir dir;
    const QString node = dir.filePath(QStringLiteral("pts"));
    const QString port = dir.filePath(QStringLiteral("tty"));
    PortDevices devices;
    devices.setDevice(1, port.toStdString());
    connection.lockDevices(devices);
    ASSERT_TRUE(connection.open(LinkSettings{1, 1, 0, 1}));  // nothing there yet

    QFile device(node);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(node, port));
    StationLock other(StationLock::pathForDevice(node));
    ASSERT_EQ(other.take(), StationLock::Outcome::Taken);
    std::vector<DeviceRefusal> refusals;
    QObject::connect(&connection, &PortConnection::refused, [&](const DeviceRefusal& r) { refusals.push_back(r); });
    connection.followDevice();
    EXPECT_FALSE(connection.isOpen());
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals.front().device, port);
}

TEST_F(PortConnectionTest, settingsOpenAsGivenWithoutChoices)
{
    connection.open(LinkSettings{1, 2, 1, 9});
    EXPECT_TRUE(connection.isOpen());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(bus.calls().front(), (Call{"open", {1, 2, 1, 9}}));
}

} // namespace
