#include "app/StationOptions.h"

#include <array>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>

#include "app/Translations.h"
#include "core/ProgramCommandLine.h"
#include "historian/ConnectionText.h"
#include "historian/ServerConnection.h"
#include "link/LinkCodes.h"

namespace {

// As the command line spells a parity code.
QString parityName(int code)
{
    static constexpr std::array<const char*, 3> kNames{"none", "odd", "even"};
    return QString::fromLatin1(code >= 0 && code < 3 ? kNames[static_cast<size_t>(code)] : "?");
}

} // namespace

bool parseStationOptions(const QStringList& arguments, StationOptions& options, QString& error,
                         bool& helpRequested)
{
    helpRequested = false;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Operator station for one TQ5800 process controller."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("History database file."), QStringLiteral("PATH"));
    const QCommandLineOption journal(QStringLiteral("journal"),
        QStringLiteral("Event journal file (default journal.sqlite beside the history database)."), QStringLiteral("PATH"));
    const QCommandLineOption portDevice(QStringLiteral("port-device"),
        QStringLiteral("Serial device for port N (repeatable), e.g. 1=/dev/ttyS0."), QStringLiteral("N=PATH"));
    const QCommandLineOption connect(QStringLiteral("connect"), QStringLiteral("Open the link at start."));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port number 1..20 (default 1)."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("4800, 9600 or 19200 (default 9600)."), QStringLiteral("B"), QStringLiteral("9600"));
    const QCommandLineOption parity(QStringLiteral("parity"), QStringLiteral("none, odd or even (default none)."), QStringLiteral("P"), QStringLiteral("none"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Module address 1..16 (default 1)."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption keepDays(QStringLiteral("journal-keep-days"),
        QStringLiteral("Days of events the journal keeps (default 730)."), QStringLiteral("N"), QStringLiteral("730"));
    const QCommandLineOption keepEvents(QStringLiteral("journal-keep-events"),
        QStringLiteral("Events the journal keeps at most (default 1000000)."), QStringLiteral("N"),
        QStringLiteral("1000000"));
    const QCommandLineOption archive(QStringLiteral("archive"),
        QStringLiteral("Folder of the monthly archive files (default archive/ beside the history database)."),
        QStringLiteral("DIR"));
    const QCommandLineOption noArchive(QStringLiteral("no-archive"),
        QStringLiteral("Keep no archive: only the history database's ring of about 18 hours."));
    const QCommandLineOption archiveMonths(QStringLiteral("archive-months"),
        QStringLiteral("Remove archive month files once they are older than N months (default 0: keep all)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption historian(QStringLiteral("historian"),
        QStringLiteral("Also forward the archive's samples and the journal's events to this PostgreSQL server "
                       "(a libpq connection string such as \"host=H dbname=D user=U\"; the password comes from "
                       "~/.pgpass or PGPASSFILE, never from the command line)."),
        QStringLiteral("CONNECTION"));
    const QCommandLineOption historianInit(QStringLiteral("historian-init"),
        QStringLiteral("Create the server's tables when missing (needs a role that may create them)."));
    const QCommandLineOption stationName(QStringLiteral("station-name"),
        QStringLiteral("This station's name on the server (default: the host name)."), QStringLiteral("NAME"));
    const QCommandLineOption installAutostart(QStringLiteral("install-autostart"),
        QStringLiteral("Start the station at login with the other options given: write the autostart entry and exit."));
    const QCommandLineOption removeAutostart(QStringLiteral("remove-autostart"),
        QStringLiteral("Remove the autostart entry and exit."));
    const QCommandLineOption lang(QStringLiteral("lang"),
        QStringLiteral("Interface language: zh (Chinese) or en (English); default from the system locale, "
                       "Chinese for zh*, else English."),
        QStringLiteral("L"));
    parser.addOptions({db, journal, keepDays, keepEvents, archive, noArchive, archiveMonths, historian, historianInit, stationName,
                       portDevice, connect, port, baud, parity, address,
                       lang, installAutostart, removeAutostart});

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        helpRequested = true;
        error = parser.helpText();
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        helpRequested = true;
        error = QString::fromStdString(ProgramCommandLine::versionLine(QCoreApplication::applicationName().toStdString()));
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }

    if (parser.isSet(installAutostart) && parser.isSet(removeAutostart)) {
        error = QStringLiteral("--install-autostart and --remove-autostart exclude each other");
        return false;
    }
    options.autostart = parser.isSet(installAutostart) ? StationOptions::Autostart::Install
        : parser.isSet(removeAutostart)                 ? StationOptions::Autostart::Remove
                                                        : StationOptions::Autostart::Unchanged;
    options.databasePath = parser.value(db);
    options.journalPath = parser.value(journal);
    bool kept = false;
    options.journalLimits.maxDays = parser.value(keepDays).toInt(&kept);
    if (!kept || options.journalLimits.maxDays < 1) {
        error = QStringLiteral("--journal-keep-days must be a whole number of days, at least 1");
        return false;
    }
    options.journalLimits.maxEvents = parser.value(keepEvents).toLongLong(&kept);
    if (!kept || options.journalLimits.maxEvents < 1) {
        error = QStringLiteral("--journal-keep-events must be a whole number, at least 1");
        return false;
    }
    options.archivePath = parser.value(archive);
    options.archive = !parser.isSet(noArchive);
    if (!options.archive && parser.isSet(archive)) {
        error = QStringLiteral("--archive and --no-archive exclude each other");
        return false;
    }
    options.archiveMonths = parser.value(archiveMonths).toInt(&kept);
    if (!kept || options.archiveMonths < 0) {
        error = QStringLiteral("--archive-months must be a whole number of months, 0 to keep all");
        return false;
    }
    options.historian = parser.value(historian).trimmed();
    options.historianInit = parser.isSet(historianInit);
    options.stationName = parser.value(stationName).trimmed();
    if (options.historian.isEmpty() && (parser.isSet(historian) || options.historianInit || parser.isSet(stationName))) {
        error = QStringLiteral("--historian-init and --station-name need --historian with a connection string");
        return false;
    }
    if (!options.historian.isEmpty() && !options.archive) {
        error = QStringLiteral("--historian forwards the archive: it cannot go with --no-archive");
        return false;
    }
    if (const QString refused = ServerConnection::commandLineRefusal(options.historian); !refused.isEmpty()) {
        error = refused;
        return false;
    }
    if (parser.isSet(stationName) && options.stationName.isEmpty()) {
        error = QStringLiteral("--station-name must not be empty");
        return false;
    }
    for (const QString& mapping : parser.values(portDevice)) {
        if (!options.portDevices.addMapping(mapping.toStdString())) {
            error = QStringLiteral("--port-device wants N=PATH with N from 1 to 20, not \"%1\"").arg(mapping);
            return false;
        }
    }
    options.connect = parser.isSet(connect);
    options.language = parser.value(lang);
    if (parser.isSet(lang) && options.language != QLatin1String("zh") && options.language != QLatin1String("en")) {
        error = QStringLiteral("--lang must be zh or en");
        return false;
    }

    bool ok = false;
    const int portNumber = parser.value(port).toInt(&ok);
    if (!ok || portNumber < PortDevices::kFirstPort || portNumber > PortDevices::kLastPort) {
        error = QStringLiteral("--port must be 1..20");
        return false;
    }
    const auto baudCode = LinkCodes::baudCode(parser.value(baud).toInt(&ok));
    if (!ok || !baudCode) {
        error = QStringLiteral("--baud must be 4800, 9600 or 19200");
        return false;
    }
    const auto parityCode = LinkCodes::parityCode(parser.value(parity).toStdString());
    if (!parityCode) {
        error = QStringLiteral("--parity must be none, odd or even");
        return false;
    }
    const int moduleAddress = parser.value(address).toInt(&ok);
    if (!ok || moduleAddress < 1 || moduleAddress > 16) {
        error = QStringLiteral("--address must be 1..16");
        return false;
    }
    // As the lists show them: a number and one blank.
    options.link.portText = QString::number(portNumber) + QLatin1Char(' ');
    options.link.baudIndex = *baudCode;
    options.link.parityIndex = *parityCode;
    options.link.addressText = QString::number(moduleAddress) + QLatin1Char(' ');
    return true;
}

QStringList stationArguments(const StationOptions& options)
{
    const auto absolute = [](const QString& path) { return QFileInfo(path).absoluteFilePath(); };
    QStringList arguments;
    if (!options.databasePath.isEmpty())
        arguments << QStringLiteral("--db") << absolute(options.databasePath);
    if (!options.journalPath.isEmpty())
        arguments << QStringLiteral("--journal") << absolute(options.journalPath);
    const JournalLimits defaults;
    if (options.journalLimits.maxDays != defaults.maxDays)
        arguments << QStringLiteral("--journal-keep-days") << QString::number(options.journalLimits.maxDays);
    if (options.journalLimits.maxEvents != defaults.maxEvents)
        arguments << QStringLiteral("--journal-keep-events") << QString::number(options.journalLimits.maxEvents);
    if (!options.archive)
        arguments << QStringLiteral("--no-archive");
    else if (!options.archivePath.isEmpty())
        arguments << QStringLiteral("--archive") << absolute(options.archivePath);
    if (options.archiveMonths > 0)
        arguments << QStringLiteral("--archive-months") << QString::number(options.archiveMonths);
    if (!options.historian.isEmpty())
        arguments << QStringLiteral("--historian") << options.historian;
    if (options.historianInit)
        arguments << QStringLiteral("--historian-init");
    if (!options.stationName.isEmpty())
        arguments << QStringLiteral("--station-name") << options.stationName;
    for (int port = PortDevices::kFirstPort; port <= PortDevices::kLastPort; ++port) {
        const std::string path = options.portDevices.devicePath(port).value_or(std::string());
        if (path != PortDevices::defaultDevicePath(port))
            arguments << QStringLiteral("--port-device")
                      << QStringLiteral("%1=%2").arg(port).arg(absolute(QString::fromStdString(path)));
    }
    if (options.connect)
        arguments << QStringLiteral("--connect");
    // Unset, the login's locale decides at each start.
    if (!options.language.isEmpty())
        arguments << QStringLiteral("--lang") << options.language;
    const LinkChoices& link = options.link;
    arguments << QStringLiteral("--port") << link.portText.trimmed()
              << QStringLiteral("--baud") << QString::number(LinkCodes::baudRate(link.baudIndex).value_or(9600))
              << QStringLiteral("--parity") << parityName(link.parityIndex)
              << QStringLiteral("--address") << link.addressText.trimmed();
    return arguments;
}

QString historianStationName(const StationOptions& options)
{
    return options.stationName.isEmpty() ? QSysInfo::machineHostName() : options.stationName;
}

QString interfaceLanguage(const StationOptions& options)
{
    return options.language.isEmpty() ? Translations::systemLanguage() : options.language;
}

QString describeStationOptions(const StationOptions& options, const QString& databasePath,
                               const QString& journalPath, const QString& archiveFolder)
{
    QStringList devices;
    for (int port = PortDevices::kFirstPort; port <= PortDevices::kLastPort; ++port) {
        const std::string path = options.portDevices.devicePath(port).value_or(std::string());
        if (path != PortDevices::defaultDevicePath(port))
            devices << QStringLiteral("%1=%2").arg(port).arg(QString::fromStdString(path));
    }
    const LinkChoices& link = options.link;
    const QString archive = archiveFolder.isEmpty() ? QStringLiteral("off")
        : options.archiveMonths > 0 ? QStringLiteral("%1, %2 months kept").arg(archiveFolder).arg(options.archiveMonths)
                                    : QStringLiteral("%1, all months kept").arg(archiveFolder);
    const QString historian = options.historian.isEmpty()
        ? QStringLiteral("off")
        : QStringLiteral("%1 as %2").arg(ConnectionText::withoutPassword(options.historian),
                                         historianStationName(options));
    return QStringLiteral("database %1; journal %2; archive %3; historian %4; port devices %5; port %6, %7 baud, "
                          "parity %8, address %9; link %10 at start; language %11")
        .arg(databasePath, journalPath, archive, historian,
             devices.isEmpty() ? QStringLiteral("as default") : devices.join(QStringLiteral(", ")),
             link.portText.trimmed(),
             QString::number(LinkCodes::baudRate(link.baudIndex).value_or(0)),
             parityName(link.parityIndex),
             link.addressText.trimmed(),
             options.connect ? QStringLiteral("opened") : QStringLiteral("closed"),
             interfaceLanguage(options));
}
