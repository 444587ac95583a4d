#pragma once

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/DateValue.h"
#include "support/HistoryFiles.h"
#include "trend/HistoryPlayback.h"
#include "history/HistoryDatabase.h"
#include "trend/TrendBuffers.h"

// A station database in a temporary folder, opened through the main
// window's own kind of connection, with trend buffers and playback on it.
class HistoryFixture : public ::testing::Test {
protected:
    static inline const QString kConnection = QStringLiteral("test-main-window");

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(database.open()) << database.errorText().toStdString();
    }

    // Records first..last one second apart from `start`, and the pointer.
    void seed(int32_t first, int32_t last, const QDateTime& start, std::optional<int32_t> newest)
    {
        ASSERT_TRUE(HistoryFiles::insertRows(path, HistoryFiles::sequence(first, last, DateValue::fromDateTime(start)),
                                             newest));
    }
    // A ring that has wrapped, with `newest` as its newest record: the
    // records above it are the older ones.
    void seedWrappedRing(int32_t newest)
    {
        const QDateTime start(QDate(2026, 1, 5), QTime(6, 0, 0));
        seed(newest + 1, HistoryTables::kRingSize, start, std::nullopt);
        seed(1, newest, start.addSecs(HistoryTables::kRingSize - newest), newest);
    }
    // The record number a slot holds (value column 0 carries it).
    int32_t idAt(int slot) const { return static_cast<int32_t>(buffers.trendValues[slot][0]); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.sqlite"));
    HistoryDatabase database{kConnection, path};
    TrendBuffers buffers;
    HistoryPlayback playback{buffers, database};
};
