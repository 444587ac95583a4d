#include <csignal>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "support/StationOnSim.h"
#include "trend/TrendBuffers.h"
#include "trend/ZoomGeometry.h"
#include "widgets/PanelStates.h"
#include "widgets/StatusIndicator.h"

namespace {

// The moments of the stored samples, oldest first, read through a
// connection of the test's own.
std::vector<QDateTime> storedMoments(const QString& path)
{
    std::vector<QDateTime> moments;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("outage-reader"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("select w_date, w_time from pv_data order by w_date, w_time"), db);
            while (q.next())
                moments.push_back(DateValue::toDateTime(q.value(0).toDouble() + q.value(1).toDouble()));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("outage-reader"));
    return moments;
}

bool stale(const LivePanel& panel)
{
    return panel.liveValueField(0)->background() == PanelColours::kStale;
}

TEST(InstrumentOutage, twentySecondsWithoutTheInstrumentLeaveAGapInTheHistoryAndTheChartAndGreyValuesOnThePanel)
{
    StationOnSim s({"--frozen", "--set", "3x:1=523"});
    ASSERT_TRUE(s.started());
    ASSERT_TRUE(s.shows(&LivePanel::liveValueField, 0, QStringLiteral("523")));
    ASSERT_TRUE(waitFor([&] { return storedMoments(s.historyPath()).size() >= 3; }, 10000));
    EXPECT_FALSE(stale(s.panel()));

    const QDateTime killedAt = QDateTime::currentDateTime();
    s.sim().stop(true);
    ASSERT_TRUE(waitFor([&] { return stale(s.panel()); }, 5000));
    EXPECT_EQ(s.panel().liveValueField(0)->text(), QStringLiteral("523"));  // kept, but grey
    ASSERT_TRUE(waitFor([&] {
        return s.window().linkIndicator()->text().startsWith(QStringLiteral("● 通讯中断"));
    }, 10000));
    EXPECT_TRUE(s.window().linkIndicator()->text().contains(QStringLiteral("最后应答")));
    // The window keeps running meanwhile.
    runEventLoopFor(static_cast<int>(20000 - killedAt.msecsTo(QDateTime::currentDateTime())));

    const QDateTime restartedAt = QDateTime::currentDateTime();
    ASSERT_TRUE(s.sim().restart());
    ASSERT_TRUE(waitFor([&] { return !stale(s.panel()); }, 10000));
    EXPECT_EQ(s.panel().liveValueField(0)->text(), QStringLiteral("523"));
    const size_t before = storedMoments(s.historyPath()).size();
    ASSERT_TRUE(waitFor([&] { return storedMoments(s.historyPath()).size() >= before + 3; }, 10000));

    // The last answer before the kill stays fresh for two poll cycles at
    // most; nothing after that until the instrument answers again.
    const auto moments = storedMoments(s.historyPath());
    // Samples carry the whole second they were taken in.
    const QDateTime silentFrom = killedAt.addMSecs(1500);
    const QDateTime silentUntil = restartedAt.addSecs(-1);
    for (const QDateTime& moment : moments)
        EXPECT_FALSE(moment > silentFrom && moment < silentUntil) << moment.toString().toStdString();
    qint64 longestGapMs = 0;
    for (size_t i = 1; i < moments.size(); ++i)
        longestGapMs = std::max(longestGapMs, moments[i - 1].msecsTo(moments[i]));
    EXPECT_GE(longestGapMs, 18000);
    EXPECT_LE(longestGapMs, 30000);

    // The chart marks the gap where it shows it (the newest slot gets its
    // marker with the sample after it).
    const TrendBuffers& buffers = s.window().trendBuffers();
    const ZoomGeometry& zoom = s.window().zoom();
    const auto gapMarkersShown = [&] {
        const int lastMarked = zoom.markOffset + 60 * zoom.zoomLevel + (buffers.markEnd - TrendBuffers::kLiveWindow);
        int marked = 0;
        for (int slot = zoom.markOffset + 1; slot <= lastMarked && slot < TrendBuffers::kSlots; ++slot) {
            const double apartSeconds = (buffers.trendTimes[slot] - buffers.trendTimes[slot - 1]) * 86400.0;
            if (buffers.gapMarks[slot] > 0 && buffers.trendTimes[slot - 1] > 0 && apartSeconds > 18)
                ++marked;
        }
        return marked;
    };
    EXPECT_TRUE(waitFor([&] { return gapMarkersShown() == 1; }, 5000)) << gapMarkersShown();
}

} // namespace
