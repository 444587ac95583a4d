// tq5800-station: the operator station for one TQ5800 process controller.

#include <cstdio>
#include <memory>

#include <QApplication>

#include "core/Clock.h"
#include "link/ModbusFieldbus.h"
#include "app/Station.h"
#include "widgets/StationFont.h"
#include "app/StationOptions.h"
#include "core/TerminationSignals.h"

int main(int argc, char* argv[])
{
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
