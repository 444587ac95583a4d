#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <QTemporaryDir>

#include "mainwindow/LinkSettingsBar.h"
#include "support/FailingStatusBar.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "widgets/ElidedLabel.h"
#include "widgets/StatusIndicator.h"

namespace {

// The operator's screen is 1280 x 800; a window frame takes some of it.
constexpr QSize kScreen(1280, 800);
constexpr QSize kClientArea(1280, 760);

class WindowFit : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
        window->resize(kScreen);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
};

TEST_F(WindowFit, longTextsAndALinkCloseLeaveTheWindowOnTheScreenWithTheWholeTextsInTooltips)
{
    window->settings()->openButton()->click();
    ASSERT_TRUE(waitFor([&] { return window->settings()->groupsHidden(); }));
    const QString path = QStringLiteral("/tmp/") + QString(120, QLatin1Char('x')) + QStringLiteral("/tty");
    const QString message = QStringLiteral("端口打开失败：cannot open %1: No such file or directory").arg(path);
    const QString failure =
        QStringLiteral("通讯中断 自 14:05:07（最后应答 14:05:05）：cannot open %1: No such fi…").arg(path);
    window->statusBar()->showMessage(message);
    window->linkIndicator()->display({failure, path, StatusSeverity::Fault});
    const QString recording = QStringLiteral("记录失败：%1（14:05:07 起）").arg(path);
    window->recorderIndicator()->display({recording, path, StatusSeverity::Fault});
    QCoreApplication::processEvents();
    EXPECT_LE(window->width(), kScreen.width());
    EXPECT_TRUE(window->messageLine()->isElided());
    EXPECT_EQ(window->messageLine()->tip(), message);
    EXPECT_TRUE(window->linkIndicator()->isElided());
    EXPECT_TRUE(window->linkIndicator()->tip().startsWith(QStringLiteral("● ") + failure));

    window->settings()->closeButton()->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->settings()->groupsHidden());
    EXPECT_LE(window->width(), kScreen.width());
    const QSize least = window->minimumSizeHint();
    EXPECT_LE(least.width(), kClientArea.width());
    EXPECT_LE(least.height(), kClientArea.height());
}

TEST(StatusBarFit, theLinkLightKeepsItsWholeTextWithEveryFailureShowingAndTheOthersShareTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FailingStatusBar(dir.path()).expectEveryFailureFits(kScreen, QStringLiteral("通讯中断"));
}

} // namespace
