#include <algorithm>
#include <csignal>

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/StationOnSim.h"
#include "widgets/StatusIndicator.h"

namespace {

// The longest gap between the ticks of a 10 ms timer on the window's
// thread, while it runs: how long the operator's window was frozen.
class StallWatch {
public:
    StallWatch()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, sinceLast_.restart());
        });
        sinceLast_.start();
        timer_.start();
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer sinceLast_;
    qint64 longest_ = 0;
};

class StationLinkFaults : public ::testing::TestWithParam<const char*> {};

TEST_P(StationLinkFaults, windowNamesTheFaultKeepsTheLastValuesStaysResponsiveAndRecoversByItself)
{
    const char* mode = GetParam();
    StationOnSim s({"--frozen", "--set", "3x:1=523", "--fault", mode});
    ASSERT_TRUE(s.started());
    s.sim().signal(SIGUSR1);  // answering at first
    StatusIndicator& link = *s.window().linkIndicator();
    ASSERT_TRUE(waitFor([&] { return s.window().isVisible() && link.text() == QStringLiteral("● 通讯正常"); }, 10000));
    ASSERT_TRUE(s.shows(&LivePanel::liveValueField, 0, QStringLiteral("523")));

    StallWatch stalls;
    s.sim().signal(SIGUSR1);  // the fault from now on
    ASSERT_TRUE(waitFor([&] { return link.text().startsWith(QStringLiteral("● 通讯中断")); }, 10000))
        << mode << ": " << link.text().toStdString();
    EXPECT_FALSE(link.toolTip().isEmpty()) << mode;  // the library's own words
    const int cyclesAtFault = s.cycles();
    ASSERT_TRUE(waitFor([&] { return s.cycles() >= cyclesAtFault + 2; }, 10000));
    EXPECT_EQ(s.panel().liveValueField(0)->text(), QStringLiteral("523")) << mode;  // the last good value stays

    s.sim().signal(SIGUSR1);  // answering again
    const int cyclesAtRepair = s.cycles();
    ASSERT_TRUE(waitFor([&] { return link.text() == QStringLiteral("● 通讯正常"); }, 10000)) << mode;
    // The cycle running at the repair may still fail; the next one answers.
    EXPECT_LE(s.cycles() - cyclesAtRepair, 2) << mode;
    // A silent cycle costs eight response time-outs on the link thread; the
    // window must not have felt any of them.
    EXPECT_LT(stalls.longestMs(), 200) << mode;
}

INSTANTIATE_TEST_SUITE_P(Modes, StationLinkFaults,
                         ::testing::Values("silent", "crc", "exception", "wrong-address"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
