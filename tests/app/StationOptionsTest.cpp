#include <QDir>

#include <gtest/gtest.h>

#include "app/StationOptions.h"
#include "app/Translations.h"

namespace {

bool parse(QStringList args, StationOptions& options, QString& error)
{
    bool help = false;
    args.prepend(QStringLiteral("tq5800-station"));
    return parseStationOptions(args, options, error, help);
}

TEST(StationOptions, withoutOptionsTheStationStartsAsAnOperatorExpects)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({}, options, error)) << error.toStdString();
    EXPECT_TRUE(options.databasePath.isEmpty());
    EXPECT_TRUE(options.journalPath.isEmpty());
    EXPECT_FALSE(options.connect);
    EXPECT_EQ(options.link.portText, QStringLiteral("1 "));
    EXPECT_EQ(options.link.baudIndex, 1);
    EXPECT_EQ(options.link.parityIndex, 0);
    EXPECT_EQ(options.link.addressText, QStringLiteral("1 "));
    EXPECT_EQ(options.portDevices.devicePath(1), "/dev/ttyUSB0");
}

TEST(StationOptions, autoStartChoosesTheSettingsFirst)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({"--db", "/tmp/h.sqlite", "--journal", "/tmp/j.sqlite", "--port-device", "3=/dev/ttyS0", "--port-device", "1=/tmp/pty",
                       "--connect", "--port", "3", "--baud", "19200", "--parity", "even", "--address", "16"},
                      options, error)) << error.toStdString();
    EXPECT_EQ(options.databasePath, QStringLiteral("/tmp/h.sqlite"));
    EXPECT_EQ(options.journalPath, QStringLiteral("/tmp/j.sqlite"));
    EXPECT_TRUE(options.connect);
    EXPECT_EQ(options.portDevices.devicePath(3), "/dev/ttyS0");
    EXPECT_EQ(options.portDevices.devicePath(1), "/tmp/pty");
    EXPECT_EQ(options.link.portText, QStringLiteral("3 "));
    EXPECT_EQ(options.link.baudIndex, 2);
    EXPECT_EQ(options.link.parityIndex, 2);
    EXPECT_EQ(options.link.addressText, QStringLiteral("16 "));
}

TEST(StationOptions, theJournalKeepsTwoYearsOrAMillionEventsUnlessTold)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({}, options, error));
    EXPECT_EQ(options.journalLimits.maxDays, 730);
    EXPECT_EQ(options.journalLimits.maxEvents, 1'000'000);
    ASSERT_TRUE(parse({"--journal-keep-days", "90", "--journal-keep-events", "50000"}, options, error));
    EXPECT_EQ(options.journalLimits.maxDays, 90);
    EXPECT_EQ(options.journalLimits.maxEvents, 50'000);
}

TEST(StationOptions, theArchiveKeepsEveryMonthBesideTheHistoryUnlessTold)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({}, options, error));
    EXPECT_TRUE(options.archive);
    EXPECT_TRUE(options.archivePath.isEmpty());
    EXPECT_EQ(options.archiveMonths, 0);
    ASSERT_TRUE(parse({"--archive", "/srv/months", "--archive-months", "24"}, options, error)) << error.toStdString();
    EXPECT_EQ(options.archivePath, QStringLiteral("/srv/months"));
    EXPECT_EQ(options.archiveMonths, 24);
    StationOptions without;
    ASSERT_TRUE(parse({"--no-archive"}, without, error));
    EXPECT_FALSE(without.archive);
}

TEST(StationOptions, badValuesAreRefusedWithAReason)
{
    const QStringList bad[] = {
        {"--port", "0"}, {"--port", "21"}, {"--baud", "1200"}, {"--parity", "mark"}, {"--address", "17"},
        {"--address", "x"}, {"--port-device", "1"}, {"--port-device", "30=/dev/x"}, {"--no-such-option"},
        {"stray"}, {"--journal-keep-days", "0"}, {"--journal-keep-days", "a year"}, {"--journal-keep-events", "-5"},
        {"--archive-months", "-1"}, {"--archive-months", "many"}, {"--no-archive", "--archive", "/srv/months"},
        {"--install-autostart", "--remove-autostart"}, {"--install-autostart", "--port", "0"},
        {"--historian-init"}, {"--station-name", "furnace-3"}, {"--historian", "host=db", "--no-archive"},
        {"--historian", "host=db user=w password=secret"}, {"--historian", "postgresql://w:secret@db/h"},
        {"--historian", "host=db", "--station-name", " "},
    };
    for (const QStringList& args : bad) {
        StationOptions options;
        QString error;
        EXPECT_FALSE(parse(args, options, error)) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(StationOptions, descriptionNamesTheFilesThePortsAndTheLinkInEffect)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({"--port-device", "3=/dev/ttyS0", "--port-device", "1=/tmp/pty", "--connect", "--port", "3",
                       "--baud", "19200", "--parity", "even", "--address", "16", "--lang", "en", "--historian",
                       "host=db.plant dbname=history", "--station-name", "furnace-3"},
                      options, error)) << error.toStdString();
    options.archiveMonths = 6;
    EXPECT_EQ(describeStationOptions(options, QStringLiteral("/srv/h.sqlite"), QStringLiteral("/srv/journal.sqlite"),
                                     QStringLiteral("/srv/archive")),
              QStringLiteral("database /srv/h.sqlite; journal /srv/journal.sqlite; archive /srv/archive, 6 months kept; "
                             "historian host=db.plant dbname=history as furnace-3; port devices 1=/tmp/pty, 3=/dev/ttyS0; "
                             "port 3, 19200 baud, parity even, address 16; link opened at start; language en"));
    StationOptions chinese;
    chinese.language = QStringLiteral("zh");
    EXPECT_EQ(describeStationOptions(chinese, QStringLiteral("/srv/h.sqlite"), QStringLiteral("/srv/journal.sqlite"),
                                     QString()),
              QStringLiteral("database /srv/h.sqlite; journal /srv/journal.sqlite; archive off; historian off; "
                             "port devices as default; "
                             "port 1, 9600 baud, parity none, address 1; link closed at start; language zh"));
}

TEST(StationOptions, theLanguageIsChosenOnTheCommandLineElseByTheLocale)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({}, options, error));
    EXPECT_TRUE(options.language.isEmpty());
    EXPECT_FALSE(stationArguments(options).contains(QStringLiteral("--lang")));
    for (const char* language : {"zh", "en"}) {
        ASSERT_TRUE(parse({"--lang", language}, options, error));
        EXPECT_EQ(interfaceLanguage(options), QString::fromLatin1(language));
        StationOptions again;
        ASSERT_TRUE(parse(stationArguments(options), again, error));
        EXPECT_EQ(again.language, QString::fromLatin1(language));
    }
    EXPECT_FALSE(parse({"--lang", "de"}, options, error));
    EXPECT_FALSE(error.isEmpty());

    for (const char* chinese : {"zh", "zh_CN", "zh_TW", "zh_HK"})
        EXPECT_EQ(Translations::languageOf(QString::fromLatin1(chinese)), QStringLiteral("zh")) << chinese;
    for (const char* other : {"C", "en_US", "en_GB", "de_DE", "ja_JP"})
        EXPECT_EQ(Translations::languageOf(QString::fromLatin1(other)), QStringLiteral("en")) << other;
}

TEST(StationOptions, theAutostartEntryIsInstalledOrRemovedOnlyWhenAsked)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({"--connect"}, options, error));
    EXPECT_EQ(options.autostart, StationOptions::Autostart::Unchanged);
    ASSERT_TRUE(parse({"--install-autostart", "--connect", "--port", "2"}, options, error));
    EXPECT_EQ(options.autostart, StationOptions::Autostart::Install);
    EXPECT_TRUE(options.connect);
    StationOptions removal;
    ASSERT_TRUE(parse({"--remove-autostart"}, removal, error));
    EXPECT_EQ(removal.autostart, StationOptions::Autostart::Remove);
}

TEST(StationOptions, theArgumentsForALoginStartGiveTheSameStationFromAnyFolder)
{
    StationOptions options;
    QString error;
    ASSERT_TRUE(parse({"--install-autostart", "--db", "plant/h.sqlite", "--journal", "/srv/j.sqlite",
                       "--journal-keep-days", "90", "--archive", "months", "--archive-months", "12",
                       "--port-device", "2=/dev/serial/by-id/usb-adapter-port0", "--connect", "--port", "2",
                       "--baud", "4800", "--parity", "odd", "--address", "7", "--historian",
                       "host=db.plant dbname=history user=line2", "--historian-init", "--station-name", "bath-2"},
                      options, error)) << error.toStdString();
    const QStringList arguments = stationArguments(options);
    EXPECT_FALSE(arguments.contains(QStringLiteral("--install-autostart")));

    StationOptions again;
    ASSERT_TRUE(parse(arguments, again, error)) << error.toStdString();
    EXPECT_EQ(again.databasePath, QDir::current().absoluteFilePath(QStringLiteral("plant/h.sqlite")));
    EXPECT_EQ(again.journalPath, QStringLiteral("/srv/j.sqlite"));
    EXPECT_EQ(again.journalLimits.maxDays, 90);
    EXPECT_EQ(again.journalLimits.maxEvents, options.journalLimits.maxEvents);
    EXPECT_EQ(again.archivePath, QDir::current().absoluteFilePath(QStringLiteral("months")));
    EXPECT_EQ(again.archiveMonths, 12);
    EXPECT_EQ(again.historian, QStringLiteral("host=db.plant dbname=history user=line2"));
    EXPECT_TRUE(again.historianInit);
    EXPECT_EQ(again.stationName, QStringLiteral("bath-2"));
    EXPECT_EQ(again.portDevices.devicePath(2), "/dev/serial/by-id/usb-adapter-port0");
    EXPECT_EQ(again.portDevices.devicePath(1), "/dev/ttyUSB0");
    EXPECT_TRUE(again.connect);
    EXPECT_EQ(again.link.portText, QStringLiteral("2 "));
    EXPECT_EQ(again.link.baudIndex, 0);
    EXPECT_EQ(again.link.parityIndex, 1);
    EXPECT_EQ(again.link.addressText, QStringLiteral("7 "));
    EXPECT_EQ(again.autostart, StationOptions::Autostart::Unchanged);

    StationOptions without;
    ASSERT_TRUE(parse({"--no-archive"}, without, error));
    EXPECT_EQ(stationArguments(without),
              QStringList({"--no-archive", "--port", "1", "--baud", "9600", "--parity", "none", "--address", "1"}));
}

} // namespace
