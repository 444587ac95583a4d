#include <QFile>
#include <QSignalSpy>

#include "journal/JournalReader.h"
#include "support/ArchiveFiles.h"
#include "support/ForwardingFieldbus.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "widgets/StatusIndicator.h"

namespace {

using ArchiveStatusTest = StationFixture;
using StationArchive = StationFixture;

TEST_F(StationArchive, eachRecordedSampleReachesTheArchiveWithTheBitsAndTheAddressOfTheOpenLink)
{
    ArchiveSettings settings;
    settings.folder = dir.filePath(QStringLiteral("archive"));
    const QString history = dir.filePath(QStringLiteral("station.sqlite"));
    StationCore station(std::make_unique<ForwardingFieldbus>(bus), clock, history, std::nullopt, {}, settings);
    station.poller().setCycleInterval(std::chrono::hours(1));  // the test runs the cycle
    bus.setInputRegister(RegisterMap::kProcessValue, 250);
    bus.setDiscreteInput(3, true);
    bus.setCoil(2, true);
    QSignalSpy opened(&station.link(), &InstrumentLink::portOpened);
    LinkChoices choices;
    choices.addressText = QStringLiteral("9 ");
    ASSERT_TRUE(station.connection().open(choices));
    ASSERT_TRUE(waitFor([&] { return opened.count() > 0; }));
    QSignalSpy finished(&station.poller(), &Poller::cycleFinished);
    station.poller().startCycle();
    ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));

    station.archive().start();
    station.recorder().start();
    station.recorder().stop();  // ticked here
    station.recorder().tick();
    station.archive().stop();

    const auto samples = ArchiveFiles::samples(settings.folder);
    ASSERT_EQ(samples.size(), 1u);
    const PeriodSample& sample = samples.begin()->second;
    EXPECT_EQ(sample.pv, 250.0f);
    EXPECT_EQ(sample.alarmBits, uint16_t(0b100));
    EXPECT_EQ(sample.coilBits, uint16_t(0b10));
    EXPECT_EQ(sample.address, 9);
}

TEST_F(ArchiveStatusTest, anArchiveThatCannotBeWrittenShowsInTheStatusBarAndTheJournalUntilItIsWrittenAgain)
{
    // A file where the archive's folder should be.
    ArchiveSettings settings;
    settings.folder = dir.filePath(QStringLiteral("archive"));
    settings.retryMs = 20;
    QFile blocker(settings.folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
    StationCore core(std::make_unique<ForwardingFieldbus>(bus), clock, path, journalPath, {}, settings);
    MainWindow window(core, MainWindow::Ticking::ByCaller);
    window.start();
    const StatusIndicator* shown = window.archiveIndicator();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isHidden());

    RecordedSample recorded;
    recorded.sample.date = 36962.0;
    core.archive().add(recorded);
    core.archive().flush();
    EXPECT_FALSE(shown->isHidden());
    EXPECT_EQ(shown->text(), QStringLiteral("● 归档失败：是文件而不是文件夹：%1（14:05:07 起）").arg(settings.folder));
    EXPECT_EQ(shown->line().severity, StatusSeverity::Fault);
    EXPECT_TRUE(shown->toolTip().contains(settings.folder));

    ASSERT_TRUE(blocker.remove());
    ASSERT_TRUE(waitFor([&] { return shown->isHidden(); }));

    JournalReader journal(journalPath, QStringLiteral("archive-status-journal"));
    ASSERT_TRUE(journal.open());
    std::vector<JournalEvent::Kind> kinds;
    for (const JournalEvent& event : journal.page(JournalFilter{}, 10))
        kinds.insert(kinds.begin(), event.kind);  // the page is newest first
    EXPECT_EQ(kinds, (std::vector<JournalEvent::Kind>{JournalEvent::Kind::ArchiveFailing,
                                                       JournalEvent::Kind::ArchiveResumed}));
}

TEST_F(ArchiveStatusTest, aCoreWithoutArchiveHasNoArchiveField)
{
    StationCore core(std::make_unique<ForwardingFieldbus>(bus), clock, path);
    MainWindow window(core, MainWindow::Ticking::ByCaller);
    EXPECT_FALSE(core.archives());
    EXPECT_EQ(window.archiveIndicator(), nullptr);
}

} // namespace
