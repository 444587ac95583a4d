// tq5800-station: the operator station for one TQ5800 process controller.

#include <clocale>
#include <cstdio>
#include <memory>
#include <optional>

#include <QApplication>
#include <QCoreApplication>

#include "app/AutostartEntry.h"
#include "core/Clock.h"
#include "core/ProgramCommandLine.h"
#include "core/Version.h"
#include "link/ModbusFieldbus.h"
#include "app/AppLog.h"
#include "app/Station.h"
#include "app/Translations.h"
#include "widgets/StationFont.h"
#include "app/StationOptions.h"
#include "app/StationPaths.h"
#include "core/TerminationSignals.h"
#include "journal/StationEnd.h"

namespace {

constexpr char kProgram[] = "tq5800-station";

// --help, --version, bad usage (paths of the wrong kind included) and the
// autostart entry are answered before any window system is asked for: they
// must work on a console without a display.
std::optional<int> answeredWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication commandLine(argc, argv);
    StationOptions options;
    QString text;
    bool answered = false;
    if (!parseStationOptions(commandLine.arguments(), options, text, answered))
        return answered ? ProgramCommandLine::answer(text.toStdString())
                        : ProgramCommandLine::refuse(kProgram, text.toStdString());
    // Before anything is written: a station (or an autostart entry) on a
    // folder named as its history file would record nothing and put its
    // journal and archive beside another station's.
    if (options.autostart != StationOptions::Autostart::Remove) {
        if (const QString wrong = wrongKindOfPath(options); !wrong.isEmpty()) {
            std::fprintf(stderr, "tq5800-station: %s\n", qPrintable(wrong));
            return 2;
        }
    }
    if (options.autostart == StationOptions::Autostart::Unchanged)
        return std::nullopt;
    const bool done = options.autostart == StationOptions::Autostart::Install
        ? AutostartEntry::install(QCoreApplication::applicationFilePath(), stationArguments(options), text)
        : AutostartEntry::remove(text);
    std::fprintf(done ? stdout : stderr, "tq5800-station: %s\n", qPrintable(text));
    return done ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kProgram));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(StationVersion::kText));
    if (const std::optional<int> exitCode = answeredWithoutDisplay(argc, argv))
        return *exitCode;

    QApplication app(argc, argv);
    app.setApplicationName(QString::fromLatin1(kProgram));
    // Qt took the locale from the environment; the system's own messages
    // (strerror: the link's and the files' reasons) stay English, as the
    // log does, whatever language the locale names.
    std::setlocale(LC_MESSAGES, "C");

    StationOptions options;
    QString error;
    bool helpRequested = false;
    if (!parseStationOptions(app.arguments(), options, error, helpRequested))
        return helpRequested ? ProgramCommandLine::answer(error.toStdString())
                             : ProgramCommandLine::refuse(kProgram, error.toStdString());
    app.setFont(StationFont::font());
    // Before any window exists: each takes its texts when it is built.
    const Translations translations(interfaceLanguage(options));
    if (interfaceLanguage(options) != QLatin1String("zh") && translations.loadedFiles().isEmpty())
        qCWarning(appLog).noquote() << "no translation for" << interfaceLanguage(options)
                                    << "found in" << Translations::folders().join(QStringLiteral(", "))
                                    << "- the interface stays Chinese";
    // Qt itself speaks English without a file.
    if (interfaceLanguage(options) != QLatin1String("en") && translations.qtFile().isEmpty())
        qCWarning(appLog).noquote() << "no Qt translation for" << interfaceLanguage(options)
                                    << "- Qt's own dialogs stay English (package qt6-translations-l10n)";

    SystemClock clock;
    Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
    QObject::connect(&station, &Station::finished, &app, &QApplication::quit, Qt::QueuedConnection);

    TerminationSignals termination;
    // A signal ends the station without asking; the journal names it and its sender.
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &station,
                     [&station](const TerminationRequest& request) {
                         station.shutdown(
                             StationEnd::bySignal(request.signalName(), request.senderPid, request.senderUser));
                     });

    if (!station.start())
        std::fprintf(stderr, "tq5800-station: %s\n", qPrintable(station.refusal()));
    const int exitCode = app.exec();
    return station.refusal().isEmpty() ? exitCode : 3;
}
