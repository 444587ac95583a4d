#include <array>

#include "support/ConfigFixture.h"
#include "widgets/PanelField.h"

namespace {

// The read-back as the operator meets it: the instrument's registers come
// through the poll into the instrument state, the window's tick
// shows them.
class ConfigReadBack : public ConfigFixture {
protected:
    void SetUp() override
    {
        ConfigFixture::SetUp();
        poll.setCycleInterval(std::chrono::hours(1));  // the test runs the cycles
        core.connection().open(LinkChoices{});
        open();
    }

    void pollOnce()
    {
        QSignalSpy finished(&poll, &Poller::cycleFinished);
        poll.startCycle();
        ASSERT_TRUE(waitFor([&] { return finished.count() > 0; }));
    }

    // Sets the registers, polls, ticks the window.
    void instrumentHolds(std::initializer_list<std::pair<int, int>> registers)
    {
        for (const auto& [address, value] : registers)
            bus.setHoldingRegister(address, value);
        pollOnce();
        window->showCurrentValues();
    }

    QString shown(int n) const { return window->currentValueField(n)->text(); }
};

TEST_F(ConfigReadBack, labelsStayBlankUntilThePollHasReadTheParameters)
{
    // A window of its own, checked before the event loop could run its
    // read-back timer.
    window = std::make_unique<ConfigWindow>(core);
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters())
        EXPECT_TRUE(shown(p.number).isEmpty()) << p.number;
    window->showCurrentValues();  // nothing read yet: a 0 would look read
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters())
        EXPECT_TRUE(shown(p.number).isEmpty()) << p.number;

    const std::array<int16_t, RegisterMap::kLastParameter> zeros{};
    state.setParameters(RegisterMap::kFirstParameter, zeros, clock.now());
    window->showCurrentValues();
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
        const QString expected = p.isChoice()                                     ? ParameterCatalogue::text(p.names[0])
                                 : p.form == ParameterCatalogue::ValueForm::Tenths ? QStringLiteral("0.0")
                                                                                   : QStringLiteral("0");
        EXPECT_EQ(shown(p.number), expected) << p.number;
    }
}

struct ShownCase {
    int registerAddress;
    int raw;
    int n;
    const char* shown;
};

TEST_F(ConfigReadBack, registersShowAsNumbersOrNames)
{
    const ShownCase cases[] = {
        {4098, 2, 2, "88.88"},   {4102, 1, 6, "0.1"},      {4113, 1000, 17, "100.0"},
        {4100, -1999, 4, "-1999"}, {4120, 6, 24, "制冷继电器输出"}, {4110, 30, 14, "30"},
        {4105, 3, 9, "可控硅S"}, {4107, 1, 11, "制冷-正作用"}, {4097, 11, 1, "PT100(-200～850)"},
        {4129, 15, 33, "1.5"},   {4133, 37, 37, "37"},     {4122, 0, 26, "4800"},
    };
    for (const ShownCase& c : cases)
        bus.setHoldingRegister(c.registerAddress, c.raw);
    instrumentHolds({});
    for (const ShownCase& c : cases)
        EXPECT_EQ(shown(c.n), QString::fromUtf8(c.shown)) << c.registerAddress << " = " << c.raw;
}

TEST_F(ConfigReadBack, aCodeOutsideTheListLeavesTheLabelAsItWas)
{
    instrumentHolds({{4097, 11}, {4118, 2}, {4120, 2}});
    ASSERT_EQ(shown(1), QStringLiteral("PT100(-200～850)"));
    ASSERT_EQ(shown(22), QStringLiteral("下限"));
    instrumentHolds({{4097, 23}, {4118, 6}, {4120, 6}});
    EXPECT_EQ(shown(1), QStringLiteral("PT100(-200～850)"));
    EXPECT_EQ(shown(22), QStringLiteral("下限"));
    EXPECT_EQ(shown(24), QStringLiteral("制冷继电器输出"));
}

TEST_F(ConfigReadBack, theTickNeverTouchesAnEntryBeingTyped)
{
    QWidget* box = focusEntry(3);
    QTest::keyClicks(box, QStringLiteral("12"));
    instrumentHolds({{4099, 5000}});
    EXPECT_EQ(shown(3), QStringLiteral("5000"));
    EXPECT_EQ(window->valueEdit(3)->text(), QStringLiteral("12"));
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(window->choiceEdit(1)->currentIndex(), 0);
    EXPECT_TRUE(writes().empty());
}

TEST_F(ConfigReadBack, aWrittenValueComesBackThroughThePoll)
{
    typeAndLeave(18, QStringLiteral("12.5"));
    ASSERT_EQ(writes(), (std::vector{writeCall(4114, 125)}));
    instrumentHolds({});
    EXPECT_EQ(shown(18), QStringLiteral("12.5"));
}

TEST_F(ConfigReadBack, thePollReadsBackInTenthsExactlyTheParametersWrittenInTenths)
{
    // The catalogue decides how a parameter is written, the poll how it is
    // read back; a parameter the two disagree on would show ten times off.
    std::vector<std::pair<int, int>> registers;
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters())
        registers.emplace_back(p.registerAddress, 123);
    for (const auto& [address, value] : registers)
        bus.setHoldingRegister(address, value);
    pollOnce();
    for (const ParameterCatalogue::Parameter& p : ParameterCatalogue::parameters()) {
        const bool tenths = p.form == ParameterCatalogue::ValueForm::Tenths;
        EXPECT_FLOAT_EQ(state.parameter(p.number), tenths ? 12.3f : 123.0f) << p.number;
    }
}

} // namespace
