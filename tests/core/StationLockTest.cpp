#include <memory>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/StationLock.h"

namespace {

class StationLockTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Another process that holds the lock at path until it is killed or
    // its input ends.
    bool startHolder(QProcess& holder)
    {
        holder.start(QStringLiteral(TQ5800_STATION_LOCK_HOLDER_PATH), {path});
        return holder.waitForStarted(5000) && holder.waitForReadyRead(5000)
               && holder.readLine().trimmed() == "taken";
    }

    QTemporaryDir dir;
    QString path = StationLock::pathBeside(dir.filePath(QStringLiteral("history.sqlite")));
};

TEST_F(StationLockTest, aSecondTakerIsRefusedAndToldWhichProcessHostAndMomentHoldIt)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    QProcess holder;
    ASSERT_TRUE(startHolder(holder));

    StationLock second(path);
    EXPECT_EQ(second.take(), StationLock::Outcome::Held);
    EXPECT_FALSE(second.isTaken());
    EXPECT_EQ(second.holder().pid, holder.processId());
    EXPECT_EQ(second.holder().host, QSysInfo::machineHostName());
    EXPECT_GE(second.holder().since, before);
    EXPECT_LE(second.holder().since, QDateTime::currentDateTime().addSecs(2));
    EXPECT_EQ(second.holder().application, QStringLiteral("tq5800-station-lock-holder"));
    EXPECT_TRUE(second.holder().text().startsWith(QStringLiteral("process %1 (tq5800-station-lock-holder) on host %2, since ")
                                                      .arg(holder.processId())
                                                      .arg(QSysInfo::machineHostName())))
        << second.holder().text().toStdString();

    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(5000));
    EXPECT_EQ(second.take(), StationLock::Outcome::Taken);
}

TEST_F(StationLockTest, aLockLeftByAKilledProcessDoesNotBlockTheNextTaker)
{
    QProcess holder;
    ASSERT_TRUE(startHolder(holder));
    holder.kill();  // SIGKILL: the lock file stays behind
    ASSERT_TRUE(holder.waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(path));

    StationLock next(path);
    EXPECT_EQ(next.take(), StationLock::Outcome::Taken);
    EXPECT_TRUE(next.isTaken());
}

TEST_F(StationLockTest, heldWithinOneProcessAndFreeOnceItsHolderIsGone)
{
    auto first = std::make_unique<StationLock>(path);
    ASSERT_EQ(first->take(), StationLock::Outcome::Taken);
    EXPECT_EQ(first->take(), StationLock::Outcome::Taken);  // taking again keeps it

    StationLock second(path);
    EXPECT_EQ(second.take(), StationLock::Outcome::Held);
    EXPECT_EQ(second.holder().pid, QCoreApplication::applicationPid());
    // A station runs for months: a live holder's lock never grows stale.
    QFile lockFile(path);
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_EQ(second.take(), StationLock::Outcome::Held);

    first.reset();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(second.take(), StationLock::Outcome::Taken);
    second.release();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(StationLockTest, everyNameOfAFileOrDeviceMeetsTheSameLock)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
    const QString file = dir.filePath(QStringLiteral("data/history.sqlite"));
    // Before the file exists, and through a detour of its folder.
    EXPECT_EQ(StationLock::pathBeside(dir.filePath(QStringLiteral("data/../data/./history.sqlite"))),
              StationLock::pathBeside(file));
    EXPECT_EQ(StationLock::pathBeside(file), file + QStringLiteral(".lock"));

    // A device and a link to it, as /dev/serial/by-id/... names /dev/ttyUSB0.
    const QString device = dir.filePath(QStringLiteral("ttyTest0"));
    QFile node(device);
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    const QString link = dir.filePath(QStringLiteral("usb-adapter-port0"));
    ASSERT_TRUE(QFile::link(device, link));
    EXPECT_EQ(StationLock::pathForDevice(link), StationLock::pathForDevice(device));
    EXPECT_NE(StationLock::pathForDevice(device), StationLock::pathForDevice(dir.filePath(QStringLiteral("ttyTest1"))));
}

TEST_F(StationLockTest, aLockFileThatCannotBeMadeFailsWithItsPath)
{
    QFile notAFolder(dir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    StationLock lock(dir.filePath(QStringLiteral("plain-file/history.sqlite.lock")));
    EXPECT_EQ(lock.take(), StationLock::Outcome::Failed);
    EXPECT_TRUE(lock.error().contains(lock.path()));
    EXPECT_FALSE(lock.isTaken());
}

} // namespace
