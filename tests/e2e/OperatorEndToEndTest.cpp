#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "mainwindow/AlarmPanel.h"
#include "support/StationOnSim.h"
#include "widgets/InstrumentEntry.h"

namespace {

TEST(OperatorEndToEnd, setSvReachesHoldingRegisterOneAndShowsWithinOnePollAndOneTick)
{
    StationOnSim s({"--frozen"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("100")));  // the instrument's SV at start

    typeOver(s.panel().setValueEntry(), QStringLiteral("250"));
    const int cyclesAtClick = s.cycles();
    s.panel().setValueButton()->click();
    ASSERT_TRUE(s.shows(&LivePanel::writtenValueField, 0, QStringLiteral("250"), 5000));
    // The cycle running at the click may have read the register before the
    // write went out; the next one reads 250, and the next tick shows it.
    EXPECT_LE(s.cycles() - cyclesAtClick, 2);

    EXPECT_EQ(s.readAfterClosing(SimMaster::Table::HoldingRegisters, 1, 1), SimMaster::Values{250});
}

TEST(OperatorEndToEnd, manualAutomaticSwitchesTheInstrumentToManualAndBack)
{
    StationOnSim s({"--frozen"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::coilStateField, 1, QStringLiteral("自动")));

    s.panel().manualAutoButton()->click();
    ASSERT_TRUE(s.shows(&LivePanel::coilStateField, 1, QStringLiteral("手动"), 5000));
    s.panel().manualAutoButton()->click();
    ASSERT_TRUE(s.shows(&LivePanel::coilStateField, 1, QStringLiteral("自动"), 5000));
    s.panel().manualAutoButton()->click();
    ASSERT_TRUE(s.shows(&LivePanel::coilStateField, 1, QStringLiteral("手动"), 5000));

    // On the wire: coil 2 off is manual.
    EXPECT_EQ(s.readAfterClosing(SimMaster::Table::Coils, 2, 1), SimMaster::Values{0});
}

TEST(OperatorEndToEnd, anAlarmSetValueDownloadedChangesWhenTheInstrumentAlarms)
{
    // Alarm 1 a high alarm at 150; manual with no output keeps the PV at
    // the ambient 25, so only the set value decides.
    StationOnSim s({"--set", "4x:4118=1", "--set", "0x:2=0"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1 OFF")));
    AlarmPanel& alarms = *s.window().alarmPanel();
    ASSERT_TRUE(waitFor([&] { return alarms.valueField(0)->text() == QStringLiteral("150"); }));

    typeOver(alarms.entry(0), QStringLiteral("10"));
    alarms.downloadButton(0)->click();
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1报警"), 5000));
    EXPECT_EQ(alarms.valueField(0)->text(), QStringLiteral("10"));
    EXPECT_TRUE(s.shows(&LivePanel::liveValueField, 5, QStringLiteral("上限报警"), 2000));

    typeOver(alarms.entry(0), QStringLiteral("1000"));
    alarms.downloadButton(0)->click();
    ASSERT_TRUE(s.shows(&LivePanel::alarmStateField, 0, QStringLiteral("ALM1 OFF"), 5000));
    EXPECT_EQ(s.readAfterClosing(SimMaster::Table::HoldingRegisters, 257, 1), SimMaster::Values{1000});
}

} // namespace
