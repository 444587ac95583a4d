#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "mainwindow/AlarmPanel.h"
#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/ForwardingFieldbus.h"
#include "link/InstrumentLink.h"
#include "mainwindow/OperatorWrites.h"
#include "support/WrittenCalls.h"
#include "widgets/InstrumentEntry.h"

namespace {

using Call = FakeFieldbus::Call;
using Reason = EntryCheck::Refusal::Reason;

class AlarmPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& display : displays)
            display = new QLabel(QStringLiteral("cyan"));
        writes.setLinkOpen(true);
        panel = std::make_unique<AlarmPanel>(displays, writes);
    }

    // The operator's text in the row's entry, as a paste puts it there.
    void enter(int row, const QString& text)
    {
        panel->entry(row)->selectAll();
        panel->entry(row)->insert(text);
    }

    // What one DOWNLOAD of row `row` with `text` entered writes.
    std::vector<Call> download(int row, const QString& text)
    {
        return writtenCalls(bus, link, [&] {
            enter(row, text);
            panel->downloadButton(row)->click();
        });
    }

    FakeFieldbus bus;
    InstrumentLink link{std::make_unique<ForwardingFieldbus>(bus)};
    FakeClock clock;
    OperatorWrites writes{link, clock};
    std::array<QLabel*, AlarmRows::kRows> displays{};
    std::unique_ptr<AlarmPanel> panel;
};

Call setRegister(int reg, int value)
{
    return {"writeRegister", {reg, value}};
}

TEST_F(AlarmPanelTest, rowsCarryTheirCaptionsTheDisplaysGivenAndABlankEntry)
{
    const char* captions[] = {"报警1设定值", "报警1动作回差", "报警1延迟时间", "报警2设定值", "报警2动作回差",
                              "报警2延迟时间", "报警3设定值", "报警3动作回差", "报警3延迟时间"};
    for (int i = 0; i < AlarmRows::kRows; ++i) {
        EXPECT_EQ(panel->captionLabel(i)->text(), QString::fromUtf8(captions[i])) << i;
        EXPECT_EQ(panel->valueField(i), displays[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(panel->valueField(i)->parent(), panel.get()) << i;
        EXPECT_EQ(panel->entry(i)->text(), QString()) << i;
        EXPECT_EQ(panel->downloadButton(i)->text(), QStringLiteral("DOWNLOAD")) << i;
        EXPECT_EQ(AlarmRows::registerOf(i), 257 + i);
    }
    EXPECT_EQ(panel->captionLabel(-1), nullptr);
    EXPECT_EQ(panel->captionLabel(9), nullptr);
    EXPECT_EQ(panel->entry(9), nullptr);
    EXPECT_EQ(panel->downloadButton(-1), nullptr);
}

struct DownloadCase {
    int row;
    const char* text;
    std::optional<int> written;  // into register 257 + row; none: nothing written
};

TEST_F(AlarmPanelTest, downloadWritesTheRoundedEntryWithinItsLimitsAndNothingElse)
{
    const DownloadCase cases[] = {
        {0, "9999", 9999},   {0, "10000", {}},   {8, "-1999", -1999}, {8, "-2000", {}},
        {3, "12.5", 12},     {3, "13.5", 14},    {4, " 2 5 ", 25},    {5, "150 s", 150},
        {6, "1e3", 1000},    {7, "9998.5", 9998}, {7, "9999.4", {}},  {7, "-1999.5", {}}, {2, "-0.4", 0},
    };
    for (const DownloadCase& c : cases) {
        const auto calls = download(c.row, QString::fromUtf8(c.text));
        if (c.written) {
            EXPECT_EQ(calls, std::vector<Call>{setRegister(257 + c.row, *c.written)}) << c.row << " " << c.text;
        } else {
            EXPECT_TRUE(calls.empty()) << c.row << " " << c.text;
        }
    }
}

TEST_F(AlarmPanelTest, textWithoutANumberIsRefusedInsteadOfWritingZero)
{
    QSignalSpy refusals(panel.get(), &AlarmPanel::refused);
    for (const char* text : {"abc", "", "  ", "-", ".", "e5"}) {
        EXPECT_TRUE(download(1, QString::fromUtf8(text)).empty()) << text;
    }
    ASSERT_EQ(refusals.count(), 6);
    const auto args = refusals.first();
    EXPECT_EQ(args.at(0).value<QList<QLineEdit*>>(), QList<QLineEdit*>{panel->entry(1)});
    EXPECT_EQ(args.at(1).toString(), QStringLiteral("报警1动作回差"));
    EXPECT_EQ(args.at(2).value<EntryCheck::Refusal>().reason, Reason::NotANumber);
    EXPECT_EQ(panel->entry(1)->text(), QStringLiteral("e5"));  // the entry keeps what was typed
}

TEST_F(AlarmPanelTest, anEntryOutOfRangeIsRefusedWithItsLimits)
{
    QSignalSpy refusals(panel.get(), &AlarmPanel::refused);
    QSignalSpy accepts(panel.get(), &AlarmPanel::accepted);
    EXPECT_TRUE(download(0, QStringLiteral("10000")).empty());
    ASSERT_EQ(refusals.count(), 1);
    EXPECT_EQ(refusals.first().at(2).value<EntryCheck::Refusal>(), (EntryCheck::Refusal{Reason::OutOfRange, -1999, 9999}));
    EXPECT_EQ(accepts.count(), 0);

    download(0, QStringLiteral("150"));
    ASSERT_EQ(accepts.count(), 1);
    EXPECT_EQ(accepts.first().at(0).value<QList<QLineEdit*>>(), QList<QLineEdit*>{panel->entry(0)});
}

TEST_F(AlarmPanelTest, enterInAnEntryDownloadsLikeTheButton)
{
    const auto calls = writtenCalls(bus, link, [&] {
        enter(6, QStringLiteral("420"));
        emit panel->entry(6)->returnPressed();
    });
    EXPECT_EQ(calls, std::vector<Call>{setRegister(263, 420)});
}

TEST_F(AlarmPanelTest, aWriteThatFailsTwiceIsReportedUnderTheRowsCaption)
{
    QSignalSpy failures(&writes, &OperatorWrites::failed);
    bus.scriptWriteResults({false, false});
    const auto calls = download(6, QStringLiteral("300"));
    EXPECT_EQ(calls, (std::vector<Call>{setRegister(263, 300), setRegister(263, 300)}));
    ASSERT_EQ(failures.count(), 1);
    const auto outcome = failures.first().at(0).value<WriteOutcome>();
    EXPECT_EQ(outcome.request.what, QStringLiteral("报警3设定值"));
    EXPECT_EQ(outcome.request.address, 263);
    EXPECT_EQ(outcome.request.value, 300);
    EXPECT_EQ(outcome.attempts, 2);
    EXPECT_EQ(writes.pending(), 0);
}

} // namespace
