#include <QFile>

#include "support/ForwardingFieldbus.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "widgets/StatusIndicator.h"

namespace {

using ArchiveStatusTest = StationFixture;

TEST_F(ArchiveStatusTest, anArchiveThatCannotBeWrittenShowsInTheStatusBarUntilItIsWrittenAgain)
{
    // A file where the archive's folder should be.
    ArchiveSettings settings;
    settings.folder = dir.filePath(QStringLiteral("archive"));
    settings.retryMs = 20;
    QFile blocker(settings.folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StationCore core(std::make_unique<ForwardingFieldbus>(bus), clock, path, std::nullopt, {}, settings);
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
    EXPECT_TRUE(shown->text().startsWith(QStringLiteral("● 归档失败 自 14:05:07："))) << shown->text().toStdString();
    EXPECT_EQ(shown->line().severity, StatusSeverity::Fault);
    EXPECT_TRUE(shown->toolTip().contains(settings.folder));

    ASSERT_TRUE(blocker.remove());
    ASSERT_TRUE(waitFor([&] { return shown->isHidden(); }));
}

TEST_F(ArchiveStatusTest, aCoreWithoutArchiveHasNoArchiveField)
{
    StationCore core(std::make_unique<ForwardingFieldbus>(bus), clock, path);
    MainWindow window(core, MainWindow::Ticking::ByCaller);
    EXPECT_FALSE(core.archives());
    EXPECT_EQ(window.archiveIndicator(), nullptr);
}

} // namespace
