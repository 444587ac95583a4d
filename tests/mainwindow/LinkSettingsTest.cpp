#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "mainwindow/LinkSettingsBar.h"
#include "support/StationFixture.h"
#include "support/WaitFor.h"
#include "widgets/ElidedLabel.h"
#include "widgets/StatusIndicator.h"

namespace {

using Call = FakeFieldbus::Call;

class LinkSettings : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        startWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    LinkSettingsBar& bar() { return *window->settings(); }

    void type(QComboBox* list, const QString& text)
    {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
    }

    bool groupsShown()
    {
        return bar().portGroup()->isVisible() && bar().baudGroup()->isVisible() && bar().addressGroup()->isVisible()
            && bar().parityGroup()->isVisible();
    }

    bool groupsHidden()
    {
        return bar().portGroup()->isHidden() && bar().baudGroup()->isHidden() && bar().addressGroup()->isHidden()
            && bar().parityGroup()->isHidden();
    }

    // Where the bar's buttons and the window's command buttons are, once
    // the layouts have settled.
    std::vector<QPoint> places()
    {
        QCoreApplication::processEvents();
        const QWidget* const controls[] = {bar().openButton(), bar().closeButton(), window->journalButton(),
                                           window->exitButton()};
        std::vector<QPoint> at;
        for (const QWidget* control : controls)
            at.push_back(control->mapTo(window.get(), QPoint()));
        return at;
    }

    std::optional<Call> waitForCall(const std::string& name)
    {
        std::optional<Call> found;
        waitFor([&] {
            for (const Call& c : bus.calls()) {
                if (c.name == name)
                    found = c;
            }
            return found.has_value();
        });
        return found;
    }
};

TEST_F(LinkSettings, openHidesTheSettingsStoresTheChoicesAndStartsThePoll)
{
    type(bar().portList(), QStringLiteral("3 "));
    QTest::mouseClick(bar().baudButton(2), Qt::LeftButton);
    QTest::mouseClick(bar().parityButton(1), Qt::LeftButton);
    type(bar().addressList(), QStringLiteral("16 "));
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);

    EXPECT_TRUE(groupsHidden());
    EXPECT_TRUE(bar().summary()->isVisible());
    EXPECT_EQ(bar().summary()->text(), QStringLiteral("链路已打开：端口 3，19200，奇校验，地址 16"));
    EXPECT_EQ(link.settings(), (::LinkSettings{3, 2, 1, 16}));
    EXPECT_TRUE(poll.running());
    EXPECT_TRUE(window->configurationButton()->isEnabled());
    // The poll reads the instrument at the chosen address.
    EXPECT_EQ(waitForCall("open"), (Call{"open", {3, 2, 1, 16}}));
    EXPECT_TRUE(waitForCall("readInputRegisters").has_value());
}

TEST_F(LinkSettings, closeShowsTheSettingsAgainAndStopsThePoll)
{
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    ASSERT_TRUE(groupsHidden());
    QTest::mouseClick(bar().closeButton(), Qt::LeftButton);
    EXPECT_TRUE(groupsShown());
    EXPECT_FALSE(bar().summary()->isVisible());
    EXPECT_FALSE(poll.running());
    EXPECT_FALSE(window->configurationButton()->isEnabled());
    EXPECT_EQ(waitForCall("close"), (Call{"close", {}}));
    EXPECT_EQ(link.settings().port, 1);  // kept after the close
}

TEST_F(LinkSettings, closeBeforeAnyOpenClosesThePortAndLeavesTheSettingsShown)
{
    QTest::mouseClick(bar().closeButton(), Qt::LeftButton);
    EXPECT_EQ(waitForCall("close"), (Call{"close", {}}));
    EXPECT_TRUE(groupsShown());
}

TEST_F(LinkSettings, aPortTextWithoutANumberIsMarkedAndThePortZeroIsOpenedAsTold)
{
    type(bar().portList(), QStringLiteral("COM"));
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    EXPECT_EQ(link.settings().port, 0);
    EXPECT_EQ(waitForCall("open"), (Call{"open", {0, 1, 0, 1}}));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("通讯端口“COM”")));
    EXPECT_FALSE(bar().portList()->toolTip().isEmpty());

    QTest::mouseClick(bar().closeButton(), Qt::LeftButton);
    type(bar().portList(), QStringLiteral("3abc"));
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    EXPECT_EQ(link.settings().port, 3);
    EXPECT_TRUE(bar().portList()->toolTip().isEmpty());  // mark cleared
}

TEST_F(LinkSettings, anAddressBeyondSixteenIsMarked)
{
    type(bar().addressList(), QStringLiteral("17"));
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    EXPECT_EQ(link.settings().moduleAddress, 17);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("模块地址“17”不在 1..16 之内")));
}

TEST_F(LinkSettings, pressingOpenTwiceOpensThePortTwiceWithTheSameSettings)
{
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    window->openLink();  // the button stays usable while the settings are hidden
    ASSERT_TRUE(waitFor([&] {
        int opens = 0;
        for (const Call& c : bus.calls())
            opens += c.name == "open";
        return opens == 2;
    }));
    EXPECT_TRUE(groupsHidden());
}

TEST_F(LinkSettings, commandLineChoicesAreShownAndOpenTheLinkAsTheButtonDoes)
{
    window->openLinkFromCommandLine(LinkChoices{QStringLiteral("5 "), 0, 2, QStringLiteral("7 ")});
    EXPECT_EQ(bar().portList()->currentText(), QStringLiteral("5 "));
    EXPECT_EQ(bar().addressList()->currentText(), QStringLiteral("7 "));
    EXPECT_TRUE(bar().baudButton(0)->isChecked());
    EXPECT_TRUE(bar().parityButton(2)->isChecked());
    EXPECT_TRUE(groupsHidden());
    EXPECT_TRUE(poll.running());
    EXPECT_TRUE(window->configurationButton()->isEnabled());
    EXPECT_EQ(waitForCall("open"), (Call{"open", {5, 0, 2, 7}}));
}

TEST_F(LinkSettings, theButtonsKeepTheirPlaceWhetherTheLinkIsOpenOrClosed)
{
    const std::vector<QPoint> closed = places();
    QTest::mouseClick(bar().openButton(), Qt::LeftButton);
    ASSERT_TRUE(groupsHidden());
    EXPECT_EQ(places(), closed) << "a second click meant for the open button would land elsewhere";
    QTest::mouseClick(bar().closeButton(), Qt::LeftButton);
    ASSERT_TRUE(groupsShown());
    EXPECT_EQ(places(), closed);
}

TEST_F(LinkSettings, whileTheInstrumentIsSilentTheSummarySaysSoInTheLinkLightsWordsAndColour)
{
    openLinkWithoutPolls();
    const QString open = QStringLiteral("链路已打开：端口 1，9600，无校验，地址 1");
    ASSERT_EQ(bar().summary()->text(), open);
    const QColor plain = bar().summary()->palette().color(QPalette::Window);

    bus.failAll();
    poll.startCycle();
    ASSERT_TRUE(waitFor([&] { return poll.linkHealth().state() == LinkHealth::State::Silent; }));
    const StatusLine light = window->linkIndicator()->line();
    ASSERT_TRUE(light.text.startsWith(QStringLiteral("通讯中断"))) << light.text.toStdString();
    EXPECT_EQ(bar().summary()->text(), light.text + QStringLiteral("；端口 1，9600，无校验，地址 1"));
    EXPECT_TRUE(bar().summary()->autoFillBackground());
    EXPECT_EQ(bar().summary()->palette().color(QPalette::Window), StatusIndicator::colour(StatusSeverity::Fault));

    bus.failAll(false);
    poll.startCycle();
    ASSERT_TRUE(waitFor([&] { return poll.linkHealth().state() == LinkHealth::State::Answering; }));
    EXPECT_EQ(bar().summary()->text(), open);
    EXPECT_FALSE(bar().summary()->autoFillBackground());
    EXPECT_EQ(bar().summary()->palette().color(QPalette::Window), plain);
}

} // namespace
