// tq5800-probe: runs poll cycles against one instrument through the same
// link code as the station and prints the instrument state after each cycle.
// Exit code 0 when every call of every cycle answered, 1 when the instrument
// did not answer or the probe was stopped before a cycle ended, 2 for a
// usage error, 3 when a station (or another probe) holds the device: two
// masters on one line would garble each other's frames.
//
// With --save-parameters, --compare-parameters or --load-parameters it runs
// that one action instead of polling (ParameterCommand) and exits 0 when
// done (compare: equal), 1 when the instrument differs (compare) or a load
// stopped at a failed write, 2 for a link failure or a bad file.

#include <chrono>
#include <cstdio>
#include <memory>

#include <QCoreApplication>
#include <QJsonDocument>

#include "InstrumentStateJson.h"
#include "ParameterCommand.h"
#include "ProbeOptions.h"
#include "core/Clock.h"
#include "core/TerminationSignals.h"
#include "link/ModbusFieldbus.h"
#include "station/StationCore.h"

namespace {

constexpr int kPort = 1;

// The parameter set action alone: the link opens without the poll, whose
// reads would only come between the set's reads and writes.
int runParameterCommand(QCoreApplication& app, const ProbeOptions& options, const PortDevices& devices)
{
    SystemClock clock;
    StationCore core(std::make_unique<ModbusFieldbus>(devices), clock);  // records nothing
    PortConnection& connection = core.connection();
    connection.lockDevices(devices);
    if (const auto refused = connection.claimDevice(kPort)) {
        std::fprintf(stderr, "tq5800-probe: %s is in use by %s\n", qPrintable(refused->device),
                     qPrintable(refused->holder.text()));
        return 3;
    }
    core.link().open(LinkSettings{kPort, options.baudCode, options.parityCode, options.address});

    ParameterCommand command(options, core.link());
    // Queued: a bad file ends the command before the event loop runs.
    QObject::connect(&command, &ParameterCommand::done, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        std::fprintf(stderr, "tq5800-probe: stopped before the parameter set action finished\n");
        app.exit(2);
    });
    command.start();
    if (app.exec() != 0)
        return 2;
    return command.exitCode();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ProbeOptions options;
    QString error;
    if (!parseProbeOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }

    PortDevices devices;
    devices.setDevice(kPort, options.device.toStdString());

    if (options.setAction != ProbeOptions::SetAction::None)
        return runParameterCommand(app, options, devices);

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
