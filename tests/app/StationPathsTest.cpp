#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/StationOptions.h"
#include "app/StationPaths.h"

namespace {

// A folder with a folder, a file and nothing else in it: every path of the
// table is spelled with "@" for it.
class StationPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QFile file(dir.filePath(QStringLiteral("file.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a station file\n");
    }

    QString at(const char* text) const { return QString::fromUtf8(text).replace(QLatin1Char('@'), dir.path()); }

    // What the start says of the arguments; "parse error" when they do not parse.
    QString refusalOf(const QStringList& arguments) const
    {
        QStringList args{QStringLiteral("tq5800-station")};
        for (const QString& argument : arguments)
            args << (argument.startsWith(QLatin1Char('-')) ? argument : at(argument.toUtf8().constData()));
        StationOptions options;
        QString error;
        bool help = false;
        if (!parseStationOptions(args, options, error, help))
            return QStringLiteral("parse error: ") + error;
        return wrongKindOfPath(options);
    }

    QTemporaryDir dir;
};

TEST_F(StationPaths, aPathOfTheWrongKindIsRefusedWithOneLineNamingItAndWhatIsWrong)
{
    struct Case {
        QStringList arguments;
        const char* refusal;  // empty: the station starts
    };
    const Case cases[] = {
        {{"--db", "@/folder"}, "--db @/folder is a folder, not a file"},
        {{"--db", "/dev/null"}, "--db /dev/null is not a plain file"},
        {{"--db", "@/file.txt/history.sqlite"},
         "--db @/file.txt/history.sqlite cannot be made: @/file.txt is a file, not a folder"},
        {{"--db", "@/file.txt/deeper/history.sqlite"},
         "--db @/file.txt/deeper/history.sqlite cannot be made: @/file.txt is a file, not a folder"},
        {{"--journal", "@/folder", "--db", "@/h.sqlite"}, "--journal @/folder is a folder, not a file"},
        {{"--journal", "@/file.txt/journal.sqlite", "--db", "@/h.sqlite"},
         "--journal @/file.txt/journal.sqlite cannot be made: @/file.txt is a file, not a folder"},
        {{"--journal", "@/h.sqlite", "--db", "@/h.sqlite"}, "--journal @/h.sqlite is the history file"},
        {{"--archive", "@/file.txt", "--db", "@/h.sqlite"}, "--archive @/file.txt is a file, not a folder"},
        {{"--archive", "@/file.txt/archive", "--db", "@/h.sqlite"},
         "--archive @/file.txt/archive cannot be made: @/file.txt is a file, not a folder"},
        {{"--db", "@/h.sqlite", "--journal", "@/j.sqlite", "--archive", "@/folder"}, ""},
        {{"--db", "@/file.txt"}, ""},  // a file: its content is the recorder's business
        {{"--db", "@/new/deeper/h.sqlite"}, ""},
        {{"--db", "@/folder/h.sqlite"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(refusalOf(c.arguments), at(c.refusal)) << c.arguments.join(QLatin1Char(' ')).toStdString();
}

TEST_F(StationPaths, theJournalAndArchiveBesideTheHistoryFileAreCheckedUnlessTheArchiveIsOff)
{
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("folder"))).mkdir(QStringLiteral("journal.sqlite")));
    QFile archive(dir.filePath(QStringLiteral("folder/archive")));
    ASSERT_TRUE(archive.open(QIODevice::WriteOnly));
    archive.close();

    EXPECT_EQ(refusalOf({QStringLiteral("--db"), QStringLiteral("@/folder/h.sqlite")}),
              at("the journal @/folder/journal.sqlite is a folder, not a file"));
    EXPECT_EQ(refusalOf({QStringLiteral("--db"), QStringLiteral("@/folder/h.sqlite"), QStringLiteral("--journal"),
                         QStringLiteral("@/j.sqlite")}),
              at("the archive folder @/folder/archive is a file, not a folder"));
    EXPECT_EQ(refusalOf({QStringLiteral("--db"), QStringLiteral("@/folder/h.sqlite"), QStringLiteral("--journal"),
                         QStringLiteral("@/j.sqlite"), QStringLiteral("--no-archive")}),
              QString());
}

} // namespace
