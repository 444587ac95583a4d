// tq5800-probe: runs poll cycles against one instrument through the same
// link code as the station and prints the instrument state after each cycle.
// Exit code 0 when every call of every cycle answered, 1 when the instrument
// did not answer or the probe was stopped before a cycle ended, 2 for a
// usage error, 3 when a station (or another probe) holds the device: two
// masters on one line would garble each other's frames.

#include <chrono>
#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QJsonDocument>

#include "InstrumentStateJson.h"
#include "ProbeOptions.h"
#include "core/Clock.h"
#include "core/TerminationSignals.h"
#include "core/Version.h"
#include "link/ModbusFieldbus.h"
#include "station/StationCore.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ProbeOptions options;
    QString error;
    if (!parseProbeOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    if (options.version) {
        std::printf("tq5800-probe %s\n", StationVersion::kText);
        return 0;
    }

    constexpr int kPort = 1;
    PortDevices devices;
    devices.setDevice(kPort, options.device.toStdString());

    SystemClock clock;
    StationCore core(std::make_unique<ModbusFieldbus>(devices), clock);  // records nothing
    Poller& poll = core.poller();
    PortConnection& connection = core.connection();
    poll.setCycleInterval(std::chrono::milliseconds(options.intervalMs));
    connection.lockDevices(devices);

    int cycles = 0;
    bool allAnswered = true;
    QString failureReason;
    QObject::connect(&poll, &Poller::cycleFinished, &app, [&](const CycleReport& report) {
        ++cycles;
        if (report.failedCalls > 0) {
            allAnswered = false;
            failureReason = report.failureReason;
        }
        QJsonObject json = instrumentStateJson(core.state(), poll.linkHealth());
        json.insert(QStringLiteral("cycle"), cycles);
        std::fprintf(stdout, "%s\n", QJsonDocument(json).toJson(QJsonDocument::Compact).constData());
        std::fflush(stdout);
        if (options.cycles > 0 && cycles >= options.cycles) {
            connection.close();
            app.quit();
        }
    });

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        connection.close();
        app.quit();
    });

    if (const auto refused = connection.claimDevice(kPort)) {
        std::fprintf(stderr, "tq5800-probe: %s is in use by %s\n", qPrintable(refused->device),
                     qPrintable(refused->holder.text()));
        return 3;
    }
    connection.open(LinkSettings{kPort, options.baudCode, options.parityCode, options.address});
    poll.startCycle();  // the first cycle at once, not one interval later

    app.exec();
    if (cycles == 0) {
        // Stopped before a single cycle ended: nothing was shown to answer.
        std::fprintf(stderr, "tq5800-probe: stopped before a poll cycle finished\n");
        return 1;
    }
    if (!allAnswered) {
        std::fprintf(stderr, "tq5800-probe: the instrument did not answer: %s\n", qPrintable(failureReason));
        return 1;
    }
    return 0;
}
