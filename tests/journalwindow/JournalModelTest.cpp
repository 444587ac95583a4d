#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "journalwindow/JournalModel.h"
#include "support/JournalFiles.h"
#include "support/WaitFor.h"

namespace {

using Kind = JournalEvent::Kind;

// 3000 writes of "SV"; those with ids 5, 1500 and 2990 are of "ALM9".
class JournalSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(JournalFiles::appendMade(path, 3000, [](int64_t i) {
            const bool found = i + 1 == 5 || i + 1 == 1500 || i + 1 == 2990;
            return JournalFiles::event(Kind::Write, kStart.addSecs(i), found ? QStringLiteral("ALM9") : QStringLiteral("SV"));
        }));
    }

    std::vector<int64_t> ids() const
    {
        std::vector<int64_t> found;
        for (int row = 0; row < model.rowCount(); ++row)
            found.push_back(model.event(row).id);
        return found;
    }

    static inline const QDateTime kStart{QDate(2026, 12, 7), QTime(0, 0), Qt::UTC};
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
    JournalModel model{path, QStringLiteral("search-test"), nullptr, 500};
};

TEST_F(JournalSearchTest, aSearchReadsALongJournalInStepsAndFindsEveryMatchOnce)
{
    model.setFilter({{}, {}, {}, QStringLiteral("alm9")});
    EXPECT_EQ(ids(), (std::vector<int64_t>{2990}));  // the first step: ids 2501 to 3000
    int steps = 0;
    while (model.canFetchMore({}) && steps < 100) {
        model.fetchMore({});
        ++steps;
    }
    EXPECT_EQ(ids(), (std::vector<int64_t>{2990, 1500, 5}));
    EXPECT_EQ(steps, 5);
}

TEST_F(JournalSearchTest, aSearchThatFindsNothingGoesOnThroughTheEventLoopToTheEnd)
{
    model.setFilter({{}, {}, {}, QStringLiteral("nowhere")});
    EXPECT_TRUE(model.canFetchMore({}));  // one step read, not the whole journal
    ASSERT_TRUE(waitFor([&] { return !model.canFetchMore({}); }));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.failure().isEmpty());
}

TEST_F(JournalSearchTest, refreshAddsOnlyNewMatchesEachOnceInTheirTimesPlace)
{
    model.setFilter({{}, {}, {}, QStringLiteral("ALM9")});
    const QDateTime newest = kStart.addSecs(2999);
    ASSERT_TRUE(JournalFiles::append(path, {JournalFiles::event(Kind::AlarmRaised, newest, QStringLiteral("ALM9")),
                                            JournalFiles::event(Kind::Write, newest, QStringLiteral("SV")),
                                            // Older than every row read: paging brings it.
                                            JournalFiles::event(Kind::AlarmRaised, kStart, QStringLiteral("ALM9"))}));
    EXPECT_EQ(model.refresh(), 1);
    EXPECT_EQ(model.refresh(), 0);
    EXPECT_EQ(ids(), (std::vector<int64_t>{3001, 2990}));
    while (model.canFetchMore({}))
        model.fetchMore({});
    EXPECT_EQ(model.refresh(), 0);
    EXPECT_EQ(ids(), (std::vector<int64_t>{3001, 2990, 1500, 5, 3003}));
}

} // namespace
