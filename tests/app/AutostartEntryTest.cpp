#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/AutostartEntry.h"

namespace {

const QString kProgram = QStringLiteral("/usr/bin/tq5800-station");

QString exec(const QStringList& arguments)
{
    return AutostartEntry::execLine(kProgram, arguments);
}

// Points $XDG_CONFIG_HOME at a folder of the test's own for its lifetime.
class ConfigHome {
public:
    explicit ConfigHome(const QString& path)
        : saved_(qgetenv("XDG_CONFIG_HOME")), wasSet_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", path.toLocal8Bit());
    }
    ~ConfigHome()
    {
        if (wasSet_)
            qputenv("XDG_CONFIG_HOME", saved_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

private:
    QByteArray saved_;
    bool wasSet_;
};

TEST(AutostartExec, plainArgumentsStandBareAndOthersAreQuoted)
{
    EXPECT_EQ(exec({"--connect", "--port", "2", "--port-device", "2=/dev/serial/by-id/usb-adapter-if00"}),
              QStringLiteral("/usr/bin/tq5800-station --connect --port 2 --port-device 2=/dev/serial/by-id/usb-adapter-if00"));
    EXPECT_EQ(exec({"--db", "/home/op/plant data/h.sqlite"}),
              QStringLiteral("/usr/bin/tq5800-station --db \"/home/op/plant data/h.sqlite\""));
    EXPECT_EQ(exec({"--db", ""}), QStringLiteral("/usr/bin/tq5800-station --db \"\""));
    for (const char* reserved : {"a'b", "a>b", "a<b", "~op", "a|b", "a&b", "a;b", "a*b", "a?b", "a#b", "(a)"})
        EXPECT_EQ(exec({reserved}), kProgram + QStringLiteral(" \"") + QLatin1String(reserved) + QLatin1Char('"'))
            << reserved;
    EXPECT_EQ(AutostartEntry::execLine(QStringLiteral("/opt/plant station/tq5800-station"), {}),
              QStringLiteral("\"/opt/plant station/tq5800-station\""));
}

TEST(AutostartExec, quotesBackslashesDollarsAndPercentsSurviveBothEscapes)
{
    // Inside quotes ", `, $ and \ take a backslash; the file's string value
    // then doubles every backslash; "%" is doubled as no field code.
    EXPECT_EQ(exec({"say \"hi\""}), kProgram + QStringLiteral(R"( "say \\"hi\\"")"));
    EXPECT_EQ(exec({"$HOME"}), kProgram + QStringLiteral(R"( "\\$HOME")"));
    EXPECT_EQ(exec({"`x`"}), kProgram + QStringLiteral(R"( "\\`x\\`")"));
    EXPECT_EQ(exec({"C:\\a"}), kProgram + QStringLiteral(R"( "C:\\\\a")"));
    EXPECT_EQ(exec({"100%"}), kProgram + QStringLiteral(" 100%%"));
    EXPECT_EQ(exec({"a\tb"}), kProgram + QStringLiteral(R"( "a\tb")"));
    EXPECT_EQ(exec({"a\nb"}), kProgram + QStringLiteral(R"( "a\nb")"));
}

TEST(AutostartEntry, isWrittenUnderTheConfigHomeAndRemovedAgain)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ConfigHome home(folder.path() + QStringLiteral("/config"));
    const QString file = folder.path() + QStringLiteral("/config/autostart/tq5800-station.desktop");
    EXPECT_EQ(AutostartEntry::path(), file);

    QString message;
    ASSERT_TRUE(AutostartEntry::install(kProgram, {"--connect", "--port", "3"}, message)) << message.toStdString();
    EXPECT_TRUE(message.contains(file)) << message.toStdString();
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    written.close();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=/usr/bin/tq5800-station --connect --port 3\n"))) << text.toStdString();

    // Installing again replaces the entry with the new options.
    ASSERT_TRUE(AutostartEntry::install(kProgram, {"--port", "4"}, message));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(written.readAll()).contains(QStringLiteral("\nExec=/usr/bin/tq5800-station --port 4\n")));
    written.close();

    ASSERT_TRUE(AutostartEntry::remove(message)) << message.toStdString();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(AutostartEntry::remove(message)) << "nothing to remove is no failure";
    EXPECT_TRUE(message.contains(QStringLiteral("no autostart entry"))) << message.toStdString();
}

TEST(AutostartEntry, aConfigHomeThatCannotHoldTheFolderIsReported)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile plainFile(folder.path() + QStringLiteral("/config"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    const ConfigHome home(plainFile.fileName());

    QString message;
    EXPECT_FALSE(AutostartEntry::install(kProgram, {}, message));
    EXPECT_TRUE(message.contains(plainFile.fileName())) << message.toStdString();
}

} // namespace
