#include <chrono>
#include <memory>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "configwindow/ConfigWindow.h"
#include "support/ConfigOperator.h"
#include "support/FakeClock.h"
#include "link/Poller.h"
#include "link/ModbusFieldbus.h"
#include "widgets/PanelField.h"
#include "support/SimMaster.h"
#include "support/SimProcess.h"
#include "station/StationCore.h"
#include "support/WaitFor.h"

namespace {

using namespace ConfigOperator;

// The window wired as the station wires it, over libmodbus to the
// simulator, with the real poll and read-back timers running.
class ConfigEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.started());
        ASSERT_TRUE(dir.isValid());
        PortDevices devices;
        devices.setDevice(1, sim.devicePath());
        core = std::make_unique<StationCore>(std::make_unique<ModbusFieldbus>(devices), clock,
                                             dir.filePath(QStringLiteral("Rdatabj.sqlite")));
        poll = &core->poller();
        core->connection().open(LinkChoices{});
        window = std::make_unique<ConfigWindow>(*core);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(waitFor([&] { return poll->linkHealth().answering(); }, 10000));
    }

    // Closes the station's side of the line, so that a master of the
    // test's own can ask the simulator.
    void closeLink()
    {
        window.reset();
        core->connection().close();
        poll = nullptr;
        core.reset();  // the link thread closes the port before it ends
    }

    // How long after the instrument took the write parameter n shows `text`.
    qint64 msUntilShown(int n, const QString& text, const QSignalSpy& finished)
    {
        EXPECT_TRUE(waitFor([&] { return finished.count() > 0; }, 5000));
        if (finished.isEmpty())
            return -1;
        EXPECT_TRUE(finished.back().at(0).value<WriteOutcome>().ok);
        QElapsedTimer elapsed;
        elapsed.start();
        if (!waitFor([&] { return window->currentValueField(n)->text() == text; }, 5000))
            return -1;
        return elapsed.elapsed();
    }

    SimProcess sim{{"--frozen"}};
    QTemporaryDir dir;
    FakeClock clock;
    std::unique_ptr<StationCore> core;
    Poller* poll = nullptr;
    std::unique_ptr<ConfigWindow> window;
};

// One poll interval and one read-back interval, plus room for the cycle
// itself and a busy machine.
constexpr qint64 kShownWithinMs = Poller::kPollIntervalMs + ConfigWindow::kReadBackIntervalMs + 500;

TEST_F(ConfigEndToEnd, writtenParametersReachTheInstrumentAndShowWithinAPollAndASecond)
{
    {
        QSignalSpy finished(&core->link(), &InstrumentLink::writeFinished);
        typeAndLeave(*window, 18, QStringLiteral("12.5"));
        const qint64 ms = msUntilShown(18, QStringLiteral("12.5"), finished);
        EXPECT_GE(ms, 0) << "never shown";
        EXPECT_LE(ms, kShownWithinMs);
    }
    {
        QSignalSpy finished(&core->link(), &InstrumentLink::writeFinished);
        pickAndLeave(*window, 22, 3);
        const qint64 ms = msUntilShown(22, QStringLiteral("上偏差"), finished);
        EXPECT_GE(ms, 0) << "never shown";
        EXPECT_LE(ms, kShownWithinMs);
    }
    {
        QSignalSpy finished(&core->link(), &InstrumentLink::writeFinished);
        focusEntry(*window, 11);
        comboOf(*window, 11)->lineEdit()->selectAll();
        QTest::keyClicks(comboOf(*window, 11)->lineEdit(), QStringLiteral("1"));
        QTest::keyClick(comboOf(*window, 11)->lineEdit(), Qt::Key_Return);
        EXPECT_GE(msUntilShown(11, QStringLiteral("制冷-正作用"), finished), 0);
    }

    closeLink();
    SimMaster master(sim.devicePath());
    ASSERT_TRUE(master.connected());
    const auto registers = master.read(SimMaster::Table::HoldingRegisters, 4097, 37);
    ASSERT_TRUE(registers.has_value()) << master.why();
    EXPECT_EQ((*registers)[4114 - 4097], 125);
    EXPECT_EQ((*registers)[4118 - 4097], 3);
    EXPECT_EQ((*registers)[4107 - 4097], 1);
}

} // namespace
