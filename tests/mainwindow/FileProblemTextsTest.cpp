#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "archive/ArchiveSettings.h"
#include "history/HistoryDatabase.h"
#include "mainwindow/MainWindow.h"
#include "station/StationCore.h"
#include "support/FakeClock.h"
#include "support/FakeFieldbus.h"
#include "support/FileSizeLimit.h"
#include "support/ForwardingFieldbus.h"
#include "support/OwnerFileAccess.h"
#include "support/StateFeed.h"
#include "widgets/StatusIndicator.h"

namespace {

constexpr auto kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto kReadOnlyFolder = kReadOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

// The station's three files in one folder, as by default: the history
// file, the journal and the archive folder beside it.
struct Files {
    explicit Files(const QString& base)
        : folder(base + QStringLiteral("/station"))
        , history(folder + QStringLiteral("/Rdatabj.sqlite"))
        , journal(folder + QStringLiteral("/journal.sqlite"))
        , archive(folder + QStringLiteral("/archive"))
    {
        QDir().mkpath(folder);
    }
    QString folder;
    QString history;
    QString journal;
    QString archive;
};

void writeText(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("These are the operator's notes, not a database.\n");
}

// The station's core and main window on the files, the recorder, journal
// and archive each having tried to write once.
struct Rig {
    explicit Rig(const Files& files)
        : core(std::make_unique<ForwardingFieldbus>(bus), clock, files.history, files.journal, JournalLimits{},
               ArchiveSettings{files.archive})
        , window(core, MainWindow::Ticking::ByCaller)
    {
        window.start();
        core.recorder().start();
        core.recorder().stop();  // ticked by the test
        core.archive().start();
    }
    // A second with fresh values: a sample for the ring and the archive.
    void secondPasses()
    {
        clock.advanceMs(1000);
        StateFeed::measuredAgain(core.state(), clock.now());
        core.recorder().tick();
        core.archive().flush();
    }
    QString shown(const StatusIndicator* light) const
    {
        return light && !light->isHidden() ? light->text() : QString();
    }

    FakeClock clock;
    FakeFieldbus bus;
    StationCore core;
    MainWindow window;
};

// Each file problem met for real, and what the status bar's fields say of
// it: the cause and the path, in the operator's words.
TEST(FileProblemTexts, eachRealFailureIsShownAsItsCauseAndPath)
{
    struct Case {
        const char* what;
        std::function<void(const Files&)> before;            // before the station starts
        std::function<void(Rig&, const Files&)> meanwhile;   // while it runs
        const char* recorder;
        const char* journal;  // empty: the field is not shown; null: not looked at
        const char* archive;
    };
    const auto none = [](Rig& rig, const Files&) { rig.secondPasses(); };
    const Case cases[] = {
        {"a text file as history", [](const Files& f) { writeText(f.history); }, none,
         "● 记录失败：不是历史文件：{history}（14:05:07 起）", "", ""},
        {"a text file as journal", [](const Files& f) { writeText(f.journal); }, none,
         "● 记录正常", "● 事件记录失败：不是事件记录文件：{journal}（14:05:07 起）", ""},
        {"a folder without write permission",
         [](const Files& f) { QFile::setPermissions(f.folder, kReadOnlyFolder); }, none,
         "● 记录失败：无权写入文件夹 {folder}（14:05:07 起）",
         "● 事件记录失败：无权写入文件夹 {folder}（14:05:07 起）", "● 归档失败：无权写入文件夹 {folder}（14:05:07 起）"},
        {"a history file without write permission",
         [](const Files& f) {
             HistoryDatabase(QStringLiteral("maker"), f.history).open();
             QFile::setPermissions(f.history, kReadOnly);
         },
         none, "● 记录失败：无权写入文件 {history}（14:05:07 起）", "", ""},
        {"a full disk", [](const Files&) {},
         [](Rig& rig, const Files& f) {
             rig.secondPasses();
             const FileSizeLimit full(static_cast<rlim_t>(QFileInfo(f.history).size()));
             for (int i = 0; i < 3; ++i)
                 rig.secondPasses();
         },
         "● 记录失败：磁盘已满：{history}（14:05:09 起）", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const Files files(dir.path());
        OwnerFileAccess asOwner;  // the modes bind even when the tests run as root
        c.before(files);
        Rig rig(files);
        c.meanwhile(rig, files);
        const auto expected = [&](const char* text) {
            return QString::fromUtf8(text)
                .replace(QStringLiteral("{folder}"), files.folder)
                .replace(QStringLiteral("{history}"), files.history)
                .replace(QStringLiteral("{journal}"), files.journal);
        };
        EXPECT_EQ(rig.shown(rig.window.recorderIndicator()), expected(c.recorder)) << c.what;
        if (c.journal) {
            EXPECT_EQ(rig.shown(rig.window.journalIndicator()), expected(c.journal)) << c.what;
        }
        if (c.archive) {
            EXPECT_EQ(rig.shown(rig.window.archiveIndicator()), expected(c.archive)) << c.what;
        }
        QFile::setPermissions(files.folder, kReadOnlyFolder | QFile::WriteOwner);
    }
}

} // namespace
