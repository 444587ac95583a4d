#pragma once

#include <algorithm>
#include <vector>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "archive/PeriodSample.h"
#include "historian/HistorianPass.h"
#include "historian/HistorianSettings.h"
#include "support/JournalFiles.h"
#include "support/PeriodFiles.h"
#include "support/PostgresServer.h"

// A station's files (archive month files, journal, state file) in a
// temporary folder, seeded with plain SQL, and a fresh database on the
// throwaway server to forward them to.
class HistorianRig : public PostgresFixture {
protected:
    HistorianSettings settings() const
    {
        HistorianSettings s;
        s.connection = connection();
        s.stationName = QStringLiteral("line-a");
        s.hostName = QStringLiteral("host-a");
        s.port = QStringLiteral("/dev/ttyS1");
        s.archiveFolder = dir_.filePath(QStringLiteral("archive"));
        s.journalPath = dir_.filePath(QStringLiteral("journal.sqlite"));
        s.statePath = dir_.filePath(QStringLiteral("history.historian.json"));
        s.batchRows = 40;
        s.idleMs = 50;
        s.firstRetryMs = 50;
        s.maxRetryMs = 200;
        return s;
    }

    void initialiseServer()
    {
        HistorianPass pass(settings());
        QString error;
        ASSERT_TRUE(pass.initialiseServer(&error)) << error.toStdString();
    }

    // count more samples, one a second, after those archived so far.
    void archive(int count)
    {
        const QDateTime start = archived_.empty()
            ? QDateTime(QDate(2026, 11, 30), QTime(23, 59, 10), Qt::UTC)
            : QDateTime::fromMSecsSinceEpoch(archived_.back().utcMs + 1000, Qt::UTC);
        const std::vector<PeriodSample> more = PeriodFiles::seconds(start, count, float(archived_.size()), 3600);
        ASSERT_TRUE(PeriodFiles::writeArchive(settings().archiveFolder, more));
        archived_.insert(archived_.end(), more.begin(), more.end());
    }

    // count more samples, each half a second after one archived before
    // (from the first-th on): samples archived behind any position.
    void archiveBehind(size_t first, size_t count)
    {
        std::vector<PeriodSample> more(archived_.begin() + first, archived_.begin() + first + count);
        for (PeriodSample& s : more) {
            s.utcMs += 500;
            s.pv += 0.5f;
        }
        ASSERT_TRUE(PeriodFiles::writeArchive(settings().archiveFolder, more));
        archived_.insert(archived_.end(), more.begin(), more.end());
        std::sort(archived_.begin(), archived_.end(),
                  [](const PeriodSample& a, const PeriodSample& b) { return a.utcMs < b.utcMs; });
    }

    // A login role in historian_writer. Roles belong to the whole cluster,
    // so it is named after this test's database; the server asks it for
    // its password.
    QString createWriter(const QString& password)
    {
        const QString role = QStringLiteral("writer_")
            + QRegularExpression(QStringLiteral("dbname=(\\S+)")).match(connection()).captured(1);
        EXPECT_TRUE(PostgresServer::exec(
            connection(),
            QStringLiteral("create role %1 login password '%2' in role historian_writer").arg(role, password)));
        return role;
    }

    // The password libpq finds for the role in the password file that
    // writerSettings() names.
    void writePassFile(const QString& role, const QString& password)
    {
        QFile file(passFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("*:*:*:%1:%2\n").arg(role, password).toUtf8());
        file.close();
        // libpq ignores a password file others may read.
        ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    }

    HistorianSettings writerSettings(const QString& role) const
    {
        HistorianSettings s = settings();
        s.connection += QStringLiteral(" user=%1 passfile=%2").arg(role, passFilePath());
        return s;
    }

    // count more journal events; the file numbers them on from 1.
    void journal(int count)
    {
        const QDateTime start(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
        ASSERT_TRUE(JournalFiles::appendMade(settings().journalPath, count, [&](int64_t i) {
            return JournalFiles::event(JournalEvent::Kind::StationStarted, start.addSecs(journaled_ + i),
                                       QStringLiteral("event %1").arg(journaled_ + i));
        }));
        journaled_ += count;
    }

    // Every archived sample as ServerRows::samples shows it.
    std::vector<QString> archivedRows() const
    {
        std::vector<QString> rows;
        const auto bits = [](const std::optional<uint16_t>& b) { return b ? QString::number(*b) : QStringLiteral("-"); };
        for (const PeriodSample& s : archived_)
            rows.push_back(QStringList{QString::number(s.utcMs), QString::number(s.utcOffset),
                                       QString::number(double(s.pv), 'f', 3), QString::number(double(s.op), 'f', 3),
                                       QString::number(double(s.sv), 'f', 3), bits(s.alarmBits), bits(s.coilBits),
                                       QString::number(s.address.value_or(0)), settings().port}
                               .join(QLatin1Char('|')));
        return rows;
    }

    std::vector<QString> journaledIds() const
    {
        std::vector<QString> ids;
        for (int i = 1; i <= journaled_; ++i)
            ids.push_back(QString::number(i));
        return ids;
    }

    const std::vector<PeriodSample>& archived() const { return archived_; }

private:
    QString passFilePath() const { return dir_.filePath(QStringLiteral("pgpass")); }

    QTemporaryDir dir_;
    std::vector<PeriodSample> archived_;
    int journaled_ = 0;
};
