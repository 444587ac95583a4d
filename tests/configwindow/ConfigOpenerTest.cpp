#include <QPushButton>
#include <QStatusBar>

#include "support/ConfigFixture.h"
#include "configwindow/ConfigOpener.h"
#include "instrument/EntryValue.h"
#include "instrument/ParameterCatalogue.h"
#include "support/WaitFor.h"
#include "mainwindow/MainWindow.h"
#include "widgets/StatusIndicator.h"

namespace {

// The "CONFIG" command between the real main window and the configuration
// window, with the link open as it must be for the command to be enabled.
class ConfigOpening : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        main = std::make_unique<MainWindow>(core);
        opener = std::make_unique<ConfigOpener>(core, *main, *main->configurationButton());
        poll.setCycleInterval(std::chrono::hours(1));
        core.connection().open(LinkChoices{});
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        ASSERT_TRUE(main->configurationButton()->isEnabled());
    }

    ConfigWindow& openConfig()
    {
        QTest::mouseClick(main->configurationButton(), Qt::LeftButton);
        ConfigWindow* config = opener->window();
        EXPECT_NE(config, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(config));
        return *config;
    }

    void TearDown() override
    {
        opener.reset();
        main.reset();
    }

    std::unique_ptr<MainWindow> main;
    std::unique_ptr<ConfigOpener> opener;
};

TEST_F(ConfigOpening, configHidesTheMainWindowAndShowsTheConfigurationInItsPlace)
{
    main->resize(1280, 800);
    ConfigWindow& config = openConfig();
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(config.isVisible());
    EXPECT_EQ(config.size(), main->size());
    EXPECT_EQ(config.windowTitle(), QStringLiteral("TQ5800 配置 "));
}

TEST_F(ConfigOpening, opensNoWiderThanTheMainWindowAfterLongTextsAndALinkClose)
{
    main->resize(1280, 800);
    const QString reason =
        QStringLiteral("cannot open /tmp/%1/tty: No such file or directory").arg(QString(120, QLatin1Char('x')));
    main->statusBar()->showMessage(QStringLiteral("端口打开失败：") + reason);
    const QString failure = QStringLiteral("通讯中断 自 14:05:07（最后应答 14:05:05）：") + reason;
    main->linkIndicator()->display({failure, reason, StatusSeverity::Fault});
    QCoreApplication::processEvents();
    core.connection().close();
    core.connection().open(LinkChoices{});
    ASSERT_TRUE(waitFor([&] { return main->configurationButton()->isEnabled(); }));
    ASSERT_EQ(main->width(), 1280);

    ConfigWindow& config = openConfig();
    config.statusLine()->display({QStringLiteral("写入失败：") + reason, reason, StatusSeverity::Fault});
    QCoreApplication::processEvents();
    EXPECT_LE(config.width(), 1280);
    EXPECT_LE(config.minimumSizeHint().width(), 1280);
}

TEST_F(ConfigOpening, returnRightAfterTypingWritesTheEntryThenTheMainWindowReappears)
{
    ConfigWindow& config = openConfig();
    ConfigOperator::focusEntry(config, 4);
    QTest::keyClicks(config.valueEdit(4), QStringLiteral("-1999"));
    QTest::mouseClick(config.backButton(), Qt::LeftButton);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(writes(), (std::vector{writeCall(4100, -1999)}));
    EXPECT_TRUE(waitFor([&] { return opener->window() == nullptr; }));  // deleted on close
}

TEST_F(ConfigOpening, aWriteStillOnItsWayAtReturnThatFailsIsReportedByTheMainWindow)
{
    bus.failCalls("writeRegister");
    ConfigWindow& config = openConfig();
    ConfigOperator::focusEntry(config, 4);
    QTest::keyClicks(config.valueEdit(4), QStringLiteral("-1999"));
    QTest::mouseClick(config.backButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return opener->window() == nullptr; }));  // gone before the answer
    const QString caption = ParameterCatalogue::text(ParameterCatalogue::find(4)->caption);
    ASSERT_TRUE(waitFor([&] { return main->statusBar()->currentMessage().contains(QStringLiteral("写入失败")); }))
        << main->statusBar()->currentMessage().toStdString();
    const QString shown = main->statusBar()->currentMessage();
    EXPECT_TRUE(shown.contains(caption)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("-1999")));
}

TEST_F(ConfigOpening, returnWithAnUnusableEntryWritesNothingAndTheMainWindowSaysWhy)
{
    ConfigWindow& config = openConfig();
    ConfigOperator::focusEntry(config, 11);
    config.choiceEdit(11)->lineEdit()->selectAll();
    QTest::keyClicks(config.choiceEdit(11)->lineEdit(), QStringLiteral("10"));
    QTest::mouseClick(config.backButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return opener->window() == nullptr; }));
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(writes().empty());
    const QString shown = main->statusBar()->currentMessage();
    EXPECT_TRUE(shown.contains(ParameterCatalogue::text(ParameterCatalogue::find(11)->caption))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(problemText(EntryProblem::NotAChoice))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("未写入"))) << shown.toStdString();
}

TEST_F(ConfigOpening, everyOpeningIsAFreshWindowInTheOpeningState)
{
    ConfigWindow& first = openConfig();
    ConfigOperator::typeAndLeave(first, 3, QStringLiteral("800"));
    first.pageTabs()->setCurrentIndex(3);
    QTest::mouseClick(first.backButton(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return opener->window() == nullptr; }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

    ConfigWindow& second = openConfig();
    EXPECT_TRUE(second.valueEdit(3)->text().isEmpty());
    EXPECT_EQ(second.pageTabs()->currentIndex(), 1);
    EXPECT_EQ(second.choiceEdit(1)->currentIndex(), -1);
}

TEST_F(ConfigOpening, closingForShutdownWritesNothingAndLeavesTheMainWindowHidden)
{
    ConfigWindow& config = openConfig();
    ConfigOperator::focusEntry(config, 12);
    QTest::keyClicks(config.valueEdit(12), QStringLiteral("40"));
    opener->closeWindow();
    EXPECT_TRUE(waitFor([&] { return opener->window() == nullptr; }));
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(writes().empty());
}

} // namespace
