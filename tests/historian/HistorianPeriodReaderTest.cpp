#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "historian/HistorianPeriodReader.h"
#include "support/HistorianSeed.h"
#include "support/PeriodFiles.h"
#include "support/PostgresServer.h"

namespace {

const QDateTime kStart(QDate(2026, 11, 30), QTime(23, 59, 50), Qt::UTC);

qint64 at(int seconds)
{
    return kStart.addSecs(seconds).toMSecsSinceEpoch();
}

class HistorianPeriodReaderTest : public PostgresFixture {
protected:
    void SetUp() override
    {
        PostgresFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(HistorianSeed::applySchema(connection()));
        // Across the end of November, so the rows lie in two partitions.
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-a"), QStringLiteral("/dev/ttyS1"), 1,
                                           wanted));
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-a"), QStringLiteral("/dev/ttyS1"), 2,
                                           PeriodFiles::seconds(kStart, 30, 1000.0f)));
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-a"), QStringLiteral("/dev/ttyS2"), 1,
                                           PeriodFiles::seconds(kStart.addSecs(3600), 5, 2000.0f)));
        ASSERT_TRUE(HistorianSeed::samples(connection(), QStringLiteral("line-b"), QStringLiteral("/dev/ttyS1"), 1,
                                           PeriodFiles::seconds(kStart, 30, 3000.0f)));
        // Chunks of seven: a period of 24 samples takes several.
        reader = std::make_unique<HistorianPeriodReader>(connection(), 7);
        QString error;
        ASSERT_TRUE(reader->open(&error)) << error.toStdString();
    }

    std::vector<PeriodSample> wanted = PeriodFiles::seconds(kStart, 30, 0.0f, 3600);
    std::unique_ptr<HistorianPeriodReader> reader;
};

TEST_F(HistorianPeriodReaderTest, FindsTheStationsInstrumentsOfThePeriodAndReadsOneInTimeOrderChunkByChunk)
{
    QString error;
    bool known = false;
    ASSERT_TRUE(reader->hasStation(QStringLiteral("line-a"), &known, &error)) << error.toStdString();
    EXPECT_TRUE(known);
    ASSERT_TRUE(reader->hasStation(QStringLiteral("line-z"), &known, &error)) << error.toStdString();
    EXPECT_FALSE(known);

    QList<HistorianInstrument> found;
    ASSERT_TRUE(reader->instruments(QStringLiteral("line-a"), at(0), at(30), &found, &error)) << error.toStdString();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].port, QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(found[0].address, 1);
    EXPECT_EQ(found[1].address, 2);
    ASSERT_TRUE(reader->instruments(QStringLiteral("line-a"), at(0), at(3601), &found, &error));
    EXPECT_EQ(found.size(), 3);  // the second line's first sample is at 3600 s
    ASSERT_TRUE(reader->instruments(QStringLiteral("line-a"), at(-100), at(0), &found, &error));
    EXPECT_TRUE(found.isEmpty());

    // From inclusive, to exclusive: samples 3 to 26, over four chunks of seven.
    std::vector<OutboxSample> read;
    ASSERT_TRUE(reader->samples(QStringLiteral("line-a"), {QStringLiteral("/dev/ttyS1"), 1}, at(3), at(27),
                               [&](const OutboxSample& s) { read.push_back(s); }, &error))
        << error.toStdString();
    ASSERT_EQ(read.size(), 24u);
    for (size_t i = 0; i < read.size(); ++i) {
        const PeriodSample& seeded = wanted[i + 3];
        EXPECT_EQ(read[i].timeUtcMs, seeded.utcMs) << i;
        EXPECT_EQ(read[i].utcOffset, 3600);
        EXPECT_EQ(float(read[i].pv), seeded.pv);
        EXPECT_EQ(float(read[i].op), seeded.op);
        EXPECT_EQ(read[i].alarmBits, std::optional<int>(*seeded.alarmBits));
        EXPECT_EQ(read[i].coilBits, std::optional<int>(*seeded.coilBits));
        EXPECT_EQ(read[i].address, std::optional<int>(1));
    }
}

TEST_F(HistorianPeriodReaderTest, ReadsTheStationsEventsOfTheKindsAskedOldestFirst)
{
    const QDateTime t = kStart.toOffsetFromUtc(3600);
    ASSERT_TRUE(HistorianSeed::events(connection(), QStringLiteral("line-a"),
                                      {{4, t.addSecs(20), QStringLiteral("write"), QStringLiteral("SV"), QString()},
                                       {2, t.addSecs(10), QStringLiteral("alarm.raised"), QStringLiteral("ALM1"),
                                        QStringLiteral("raised")},
                                       {3, t.addSecs(15), QStringLiteral("station.started"), QString(), QString()},
                                       {5, t.addSecs(40), QStringLiteral("alarm.cleared"), QString(), QString()}}));
    ASSERT_TRUE(HistorianSeed::events(connection(), QStringLiteral("line-b"),
                                      {{2, t.addSecs(12), QStringLiteral("write"), QString(), QString()}}));
    QList<OutboxEvent> found;
    QString error;
    ASSERT_TRUE(reader->events(QStringLiteral("line-a"),
                              {QStringLiteral("alarm.raised"), QStringLiteral("alarm.cleared"), QStringLiteral("write")},
                              at(0), at(30), &found, &error))
        << error.toStdString();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].id, 2);
    EXPECT_EQ(found[0].timeUtc, QStringLiteral("2026-12-01T00:00:00.000Z"));
    EXPECT_EQ(found[0].utcOffset, 3600);
    EXPECT_EQ(found[0].what, QStringLiteral("ALM1"));
    EXPECT_EQ(found[0].message, QStringLiteral("raised"));
    EXPECT_EQ(found[1].id, 4);
    EXPECT_EQ(found[1].kind, QStringLiteral("write"));
}

} // namespace
