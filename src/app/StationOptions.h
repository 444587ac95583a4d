#pragma once

#include <QString>
#include <QStringList>

#include "journal/JournalStore.h"
#include "link/PortDevices.h"
#include "link/PortConnection.h"

// The station's command line. Without options it starts as an operator
// expects: link closed, settings at their defaults, the database at its
// default place. Scripts and an operator's auto-start use the rest.
struct StationOptions {
    // --install-autostart / --remove-autostart: change the login's autostart
    // entry and exit, without a window.
    enum class Autostart { Unchanged, Install, Remove };
    QString databasePath;       // empty: the default place
    QString journalPath;        // empty: journal.sqlite beside the history file
    JournalLimits journalLimits;  // how much of it is kept
    QString archivePath;        // empty: the folder "archive" beside the history file
    bool archive = true;        // --no-archive: the ring only
    int archiveMonths = 0;      // months kept before the current one; 0: all
    QString historian;          // --historian: libpq connection string; empty: no forwarding
    bool historianInit = false; // --historian-init: create the server's schema first
    QString stationName;        // --station-name; empty: the host name
    PortDevices portDevices;
    bool connect = false;       // open the link at start, as if "打开" were pressed
    LinkChoices link;           // the settings chosen before that
    Autostart autostart = Autostart::Unchanged;
    QString language;           // --lang: "zh" or "en"; empty: the system locale's
};

// Parses the arguments (the program name first). On failure returns false
// with a message for the user in error; --help and --version also return
// false, with the help or version text and helpRequested set.
bool parseStationOptions(const QStringList& arguments, StationOptions& options, QString& error,
                         bool& helpRequested);

// The arguments (without the program) that start a station with these
// options: paths made absolute, since a login starts it elsewhere; the
// journal's limits, archive and port devices only where they differ from the
// defaults; the link settings always. Parsing them gives the same options.
QStringList stationArguments(const StationOptions& options);

// The station's name on the central server: --station-name, else the host
// name.
QString historianStationName(const StationOptions& options);

// The interface language in effect: --lang, else Chinese for a Chinese
// system locale and English for any other.
QString interfaceLanguage(const StationOptions& options);

// One line naming the options in effect, for the start-up's log: the
// database, journal and archive folder the station uses (resolved; an empty
// archive folder is no archive), the ports named on the command line, the
// link settings chosen, the central server (without a password) and the
// interface language.
QString describeStationOptions(const StationOptions& options, const QString& databasePath,
                               const QString& journalPath, const QString& archiveFolder);
