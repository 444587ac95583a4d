#include <optional>
#include <set>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "journal/InterruptedRun.h"
#include "journal/JournalReader.h"
#include "support/JournalFiles.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kDayOne(QDate(2026, 12, 7), QTime(0, 0), Qt::UTC);

class JournalReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::vector<int64_t> ids(const JournalFilter& filter)
    {
        JournalReader reader(path, QStringLiteral("reader-test"));
        std::vector<int64_t> found;
        for (const JournalEvent& event : reader.page(filter, 1000))
            found.push_back(event.id);
        EXPECT_FALSE(reader.failed()) << reader.errorText().toStdString();
        return found;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("journal.sqlite"));
};

TEST_F(JournalReaderTest, pagesNewestFirstWithoutGapsOrRepeatsWhileEventsAreAdded)
{
    int64_t made = 0;
    auto make = [&made](int64_t) {
        return JournalFiles::event(Kind::Write, kDayOne.addSecs(made++), QStringLiteral("SV"));
    };
    ASSERT_TRUE(JournalFiles::appendMade(path, 1000, make));
    JournalReader reader(path, QStringLiteral("paging"));
    ASSERT_TRUE(reader.open());

    std::vector<int64_t> seen;
    std::optional<JournalReader::Position> below;
    for (;;) {
        const std::vector<JournalEvent> page = reader.page({}, 70, below);
        if (page.empty())
            break;
        for (const JournalEvent& event : page)
            seen.push_back(event.id);
        below = JournalReader::positionOf(page.back());
        // Written between two pages, later than all: they belong above the first page.
        ASSERT_TRUE(JournalFiles::appendMade(path, 3, make));
    }
    ASSERT_EQ(seen.size(), 1000u);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], static_cast<int64_t>(1000 - i));
    const std::vector<JournalEvent> arrived = reader.newer({}, 1000, 1000);
    ASSERT_EQ(arrived.size(), 3u * 15);
    EXPECT_EQ(arrived.front().id, 1001);  // as they were written
    EXPECT_EQ(arrived.back().id, 1045);
}

// Some events are written after they happened: the minute's refused
// entries once it is over, with the minute's start.
TEST_F(JournalReaderTest, eventsComeInTimeOrderAndThoseOfOneMomentNewestIdFirstAcrossPages)
{
    const QDateTime nine(QDate(2026, 12, 7), QTime(9, 3), Qt::UTC);
    ASSERT_TRUE(JournalFiles::append(path, {
        JournalFiles::event(Kind::AlarmRaised, nine.addSecs(54)),   // 1
        JournalFiles::event(Kind::EntriesRefused, nine),            // 2, written at the minute's end
        JournalFiles::event(Kind::Write, nine.addSecs(85)),         // 3
        JournalFiles::event(Kind::Write, nine.addSecs(85)),         // 4, the same moment
        JournalFiles::event(Kind::AlarmCleared, nine.addSecs(-5)),  // 5
        JournalFiles::event(Kind::Write, nine.addSecs(85)),         // 6
    }));
    const std::vector<int64_t> inOrder{6, 4, 3, 1, 2, 5};
    EXPECT_EQ(ids({}), inOrder);
    for (int size : {1, 2, 4}) {
        JournalReader reader(path, QStringLiteral("small-pages"));
        std::vector<int64_t> seen;
        std::optional<JournalReader::Position> below;
        for (std::vector<JournalEvent> page; !(page = reader.page({}, size, below)).empty();) {
            for (const JournalEvent& event : page)
                seen.push_back(event.id);
            below = JournalReader::positionOf(page.back());
        }
        EXPECT_EQ(seen, inOrder) << "pages of " << size;
    }
    // A search step ends at the position so many events down.
    JournalReader reader(path, QStringLiteral("steps"));
    const std::optional<JournalReader::Position> third = reader.positionBelow({}, std::nullopt, 3);
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->id, 3);
    EXPECT_FALSE(reader.positionBelow({}, third, 4).has_value());
}

TEST_F(JournalReaderTest, filtersByKindsAndTimeRangeFromInclusiveToExclusive)
{
    ASSERT_TRUE(JournalFiles::append(path, {
        JournalFiles::event(Kind::AlarmRaised, kDayOne.addSecs(3600)),    // 1
        JournalFiles::event(Kind::AlarmCleared, kDayOne.addSecs(7200)),   // 2
        JournalFiles::event(Kind::Write, kDayOne.addDays(1)),             // 3
        JournalFiles::event(Kind::AlarmRaised, kDayOne.addDays(1).addSecs(1)),  // 4
        JournalFiles::event(Kind::LinkFailing, kDayOne.addDays(2)),       // 5
    }));
    EXPECT_EQ(ids({}), (std::vector<int64_t>{5, 4, 3, 2, 1}));
    EXPECT_EQ(ids({{Kind::AlarmRaised}, {}, {}, {}}), (std::vector<int64_t>{4, 1}));
    EXPECT_EQ(ids({{Kind::AlarmRaised, Kind::AlarmCleared}, {}, {}, {}}), (std::vector<int64_t>{4, 2, 1}));
    EXPECT_EQ(ids({{}, kDayOne.addDays(1), {}, {}}), (std::vector<int64_t>{5, 4, 3}));
    EXPECT_EQ(ids({{}, {}, kDayOne.addDays(1), {}}), (std::vector<int64_t>{2, 1}));
    // A range given in another offset means the same moments.
    const QDateTime dayTwoInShanghai = kDayOne.addDays(1).toOffsetFromUtc(8 * 3600);
    EXPECT_EQ(ids({{Kind::AlarmRaised}, dayTwoInShanghai, kDayOne.addDays(2), {}}), (std::vector<int64_t>{4}));

    JournalReader reader(path, QStringLiteral("count"));
    EXPECT_EQ(reader.count({{Kind::AlarmRaised}, {}, {}, {}}), 2);
}

TEST_F(JournalReaderTest, textSearchIgnoresCaseCoversEveryTextColumnAndTakesWildcardsLiterally)
{
    std::vector<JournalEvent> events(7);
    events[0].what = QStringLiteral("SV_1");
    events[1].what = QStringLiteral("SVx1");
    events[2].newValue = QStringLiteral("50%");
    events[3].oldValue = QStringLiteral("500");
    events[4].source = QStringLiteral("端口 2 地址 7");
    events[5].text = QStringLiteral("path C:\\data\\ok");
    events[6].user = QStringLiteral("sv_1");  // the user is not searched
    for (JournalEvent& event : events)
        event.time = kDayOne;
    ASSERT_TRUE(JournalFiles::append(path, events));

    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("sv_1")}), (std::vector<int64_t>{1}));
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("0%")}), (std::vector<int64_t>{3}));
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("50")}), (std::vector<int64_t>{4, 3}));
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("地址 7")}), (std::vector<int64_t>{5}));
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("\\data\\")}), (std::vector<int64_t>{6}));
}

TEST_F(JournalReaderTest, textSearchFindsWhatTheReaderSeesAsWellAsWhatIsStored)
{
    JournalEvent write = JournalFiles::event(Kind::Write, kDayOne, QStringLiteral("register 4108"));
    write.source = QStringLiteral("port 2 address 7");
    JournalEvent alarm = JournalFiles::event(Kind::AlarmRaised, kDayOne.addSecs(1), QStringLiteral("BREAK"));
    ASSERT_TRUE(JournalFiles::append(path, {write, alarm}));

    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("比例带")}), (std::vector<int64_t>{1}));      // the register's caption
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("REGISTER 41")}), (std::vector<int64_t>{1}));  // as stored
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("端口 2 地址 7")}), (std::vector<int64_t>{1}));
    EXPECT_EQ(ids({{}, {}, {}, QStringLiteral("输入开路")}), (std::vector<int64_t>{2}));
    JournalReader reader(path, QStringLiteral("count-text"));
    EXPECT_EQ(reader.count({{}, {}, {}, QStringLiteral("开路")}), 1);
}

TEST_F(JournalReaderTest, eventsComeBackWholeAtTheOffsetTheyWereWrittenWith)
{
    JournalEvent written;
    written.time = QDateTime(QDate(2026, 12, 7), QTime(19, 53, 9, 123), Qt::OffsetFromUTC, 3600);
    written.kind = Kind::Write;
    written.source = QStringLiteral("端口 1 地址 1");
    written.what = QStringLiteral("设定SV");
    written.oldValue = QStringLiteral("100.0");
    written.newValue = QStringLiteral("250.0");
    written.outcome = QStringLiteral("ok");
    written.text = QStringLiteral("“设定SV” 250 已写入");
    written.user = QStringLiteral("operator");
    written.host = QStringLiteral("station-1");
    JournalEvent west = JournalFiles::event(Kind::StationStarted, written.time.toOffsetFromUtc(-5 * 3600 - 1800));
    ASSERT_TRUE(JournalFiles::append(path, {written, west}));

    JournalReader reader(path, QStringLiteral("whole"));
    const std::vector<JournalEvent> read = reader.page({}, 10);
    ASSERT_EQ(read.size(), 2u);
    written.id = 1;
    EXPECT_EQ(read[1], written);
    EXPECT_EQ(read[1].time.offsetFromUtc(), 3600);
    EXPECT_EQ(read[1].time.time(), QTime(19, 53, 9, 123));
    EXPECT_EQ(read[0].time.offsetFromUtc(), -5 * 3600 - 1800);
    EXPECT_EQ(read[0].time.time(), QTime(13, 23, 9, 123));
}

TEST_F(JournalReaderTest, aMissingFileIsNotCreatedAndAForeignFileIsRefused)
{
    JournalReader missing(path, QStringLiteral("missing"));
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.errorText().isEmpty());
    EXPECT_TRUE(missing.page({}, 10).empty());
    EXPECT_TRUE(missing.failed());
    EXPECT_FALSE(QFile::exists(path));

    QFile foreign(path);
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(4096, 'x'));
    foreign.close();
    JournalReader reader(path, QStringLiteral("foreign"));
    EXPECT_FALSE(reader.open());
    EXPECT_FALSE(reader.count({}).has_value());
}

TEST_F(JournalReaderTest, readsAFileItMayNotWrite)
{
    ASSERT_TRUE(JournalFiles::append(path, {JournalFiles::event(Kind::StationStarted, kDayOne)}));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    JournalReader reader(path, QStringLiteral("read-only"));
    EXPECT_TRUE(reader.open()) << reader.errorText().toStdString();
    EXPECT_EQ(reader.page({}, 10).size(), 1u);
}

TEST_F(JournalReaderTest, aLastRunWithoutItsExitIsFoundWithTheTimeOfItsLastEvent)
{
    const auto at = [](int seconds) { return kDayOne.addSecs(seconds); };
    struct Case {
        const char* name;
        std::vector<JournalEvent> events;
        std::optional<QDateTime> lastEvent;
    };
    const Case cases[] = {
        {"no journal yet", {}, std::nullopt},
        {"ended properly, then its forwarder's last word",
         {JournalFiles::event(Kind::StationStarted, at(0)), JournalFiles::event(Kind::StationExited, at(9)),
          JournalFiles::event(Kind::HistorianFailing, at(10))},
         std::nullopt},
        {"killed", {JournalFiles::event(Kind::StationStarted, at(0)), JournalFiles::event(Kind::Write, at(7))}, at(7)},
        {"killed twice",
         {JournalFiles::event(Kind::StationStarted, at(0)), JournalFiles::event(Kind::StationInterrupted, at(20)),
          JournalFiles::event(Kind::StationStarted, at(20)), JournalFiles::event(Kind::LinkOpened, at(25))},
         at(25)},
        {"killed and found already", {JournalFiles::event(Kind::StationStarted, at(0)), JournalFiles::event(Kind::StationInterrupted, at(20))},
         std::nullopt},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        if (!c.events.empty()) {
            ASSERT_TRUE(JournalFiles::append(path, c.events)) << c.name;
        }
        EXPECT_EQ(interruptedRunLastEvent(path), c.lastEvent) << c.name;
    }
}

} // namespace
