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

namespace {

using Call = FakeFieldbus::Call;

class LinkSettings : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    LinkSettingsBar& bar() { return *window->settings(); }

    void type(QComboBox* list, const QString& text)
    {
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), text);
    }

    bool framesShown()
    {
        return bar().Frame6()->isVisible() && bar().Frame2(1)->isVisible() && bar().Frame5(0)->isVisible()
            && bar().Frame5(1)->isVisible();
    }

    bool framesHidden()
    {
        return bar().Frame6()->isHidden() && bar().Frame2(1)->isHidden() && bar().Frame5(0)->isHidden()
            && bar().Frame5(1)->isHidden();
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

TEST_F(LinkSettings, openHidesTheFramesStoresTheChoicesAndStartsThePoll)
{
    type(bar().Combo1(), QStringLiteral("3 "));
    QTest::mouseClick(bar().Option1(2), Qt::LeftButton);
    QTest::mouseClick(bar().Option2(1), Qt::LeftButton);
    type(bar().Combo2(), QStringLiteral("16 "));
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);

    EXPECT_TRUE(framesHidden());
    EXPECT_TRUE(bar().summary()->isVisible());
    EXPECT_EQ(bar().summary()->text(), QStringLiteral("链路已打开：端口 3，19200，奇校验，地址 16"));
    EXPECT_EQ(link.settings(), (::LinkSettings{3, 2, 1, 16}));
    EXPECT_TRUE(poll.running());
    EXPECT_TRUE(window->Command21()->isEnabled());
    EXPECT_TRUE(window->Command23()->isEnabled());
    // The poll reads the instrument at the chosen address.
    EXPECT_EQ(waitForCall("open"), (Call{"open", {3, 2, 1, 16}}));
    EXPECT_TRUE(waitForCall("readInputRegisters").has_value());
}

TEST_F(LinkSettings, closeShowsTheFramesAgainAndStopsThePoll)
{
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);
    ASSERT_TRUE(framesHidden());
    QTest::mouseClick(bar().Command10(), Qt::LeftButton);
    EXPECT_TRUE(framesShown());
    EXPECT_FALSE(bar().summary()->isVisible());
    EXPECT_FALSE(poll.running());
    EXPECT_FALSE(window->Command21()->isEnabled());
    EXPECT_FALSE(window->Command23()->isEnabled());
    EXPECT_EQ(waitForCall("close"), (Call{"close", {}}));
    EXPECT_EQ(link.settings().port, 1);  // kept after the close
}

TEST_F(LinkSettings, closeBeforeAnyOpenClosesThePortAndLeavesTheFramesShown)
{
    QTest::mouseClick(bar().Command10(), Qt::LeftButton);
    EXPECT_EQ(waitForCall("close"), (Call{"close", {}}));
    EXPECT_TRUE(framesShown());
}

TEST_F(LinkSettings, aPortTextWithoutANumberIsMarkedAndThePortZeroIsOpenedAsTold)
{
    type(bar().Combo1(), QStringLiteral("COM"));
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);
    EXPECT_EQ(link.settings().port, 0);
    EXPECT_EQ(waitForCall("open"), (Call{"open", {0, 1, 0, 1}}));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("通讯端口“COM”")));
    EXPECT_FALSE(bar().Combo1()->toolTip().isEmpty());

    QTest::mouseClick(bar().Command10(), Qt::LeftButton);
    type(bar().Combo1(), QStringLiteral("3abc"));
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);
    EXPECT_EQ(link.settings().port, 3);
    EXPECT_TRUE(bar().Combo1()->toolTip().isEmpty());  // mark cleared
}

TEST_F(LinkSettings, anAddressBeyondSixteenIsMarked)
{
    type(bar().Combo2(), QStringLiteral("17"));
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);
    EXPECT_EQ(link.settings().moduleAddress, 17);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("模块地址“17”不在 1..16 之内")));
}

TEST_F(LinkSettings, pressingOpenTwiceOpensThePortTwiceWithTheSameSettings)
{
    QTest::mouseClick(bar().Command9(), Qt::LeftButton);
    window->Command9_Click();  // the button stays usable while the frames are hidden
    ASSERT_TRUE(waitFor([&] {
        int opens = 0;
        for (const Call& c : bus.calls())
            opens += c.name == "open";
        return opens == 2;
    }));
    EXPECT_TRUE(framesHidden());
}

TEST_F(LinkSettings, commandLineChoicesAreShownAndOpenTheLinkAsTheButtonDoes)
{
    window->openLinkFromCommandLine(LinkChoices{QStringLiteral("5 "), 0, 2, QStringLiteral("7 ")});
    EXPECT_EQ(bar().Combo1()->currentText(), QStringLiteral("5 "));
    EXPECT_EQ(bar().Combo2()->currentText(), QStringLiteral("7 "));
    EXPECT_TRUE(bar().Option1(0)->isChecked());
    EXPECT_TRUE(bar().Option2(2)->isChecked());
    EXPECT_TRUE(framesHidden());
    EXPECT_TRUE(poll.running());
    EXPECT_TRUE(window->Command21()->isEnabled());
    EXPECT_EQ(waitForCall("open"), (Call{"open", {5, 0, 2, 7}}));
}

} // namespace
