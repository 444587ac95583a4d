// tq5800-station: the operator station for one TQ5800 process controller.

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QCoreApplication>

#include "core/Clock.h"
#include "link/ModbusFieldbus.h"
#include "app/Station.h"
#include "widgets/StationFont.h"
#include "app/StationOptions.h"
#include "core/TerminationSignals.h"

namespace {

// --help and --version answer before any window system is asked for: they
// must work on a console without a display. Anything else is left to the
// parse after the application is made.
bool answeredWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication commandLine(argc, argv);
    StationOptions options;
    QString text;
    bool answered = false;
    parseStationOptions(commandLine.arguments(), options, text, answered);
    if (answered)
        std::printf("%s\n", qPrintable(text));
    return answered;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tq5800-station"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TQ5800_VERSION));
    if (answeredWithoutDisplay(argc, argv))
        return 0;

    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("tq5800-station"));

    StationOptions options;
    QString error;
    bool helpRequested = false;
    if (!parseStationOptions(app.arguments(), options, error, helpRequested)) {
        std::fprintf(helpRequested ? stdout : stderr, "%s\n", qPrintable(error));
        return helpRequested ? 0 : 2;
    }
    app.setFont(StationFont::font());

    SystemClock clock;
    Station station(options, std::make_unique<ModbusFieldbus>(options.portDevices), clock);
    QObject::connect(&station, &Station::finished, &app, &QApplication::quit, Qt::QueuedConnection);

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &station, &Station::shutdown);

    if (!station.start())
        std::fprintf(stderr, "tq5800-station: %s\n", qPrintable(station.refusal()));
    const int exitCode = app.exec();
    return station.refusal().isEmpty() ? exitCode : 3;
}
