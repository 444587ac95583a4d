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
// stopped at a failed write, 2 for a link failure or a bad file. A load
// journals its writes as the station does, into the journal of the station
// on that instrument, and is refused (3) while a running station holds it.
//
// It speaks English whatever the locale: the station's English is built in.

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include <QCoreApplication>
#include <QJsonDocument>

#include "InstrumentStateJson.h"
#include "ParameterCommand.h"
#include "ProbeOptions.h"
#include "core/Clock.h"
#include "core/EnglishTexts.h"
#include "core/ProgramCommandLine.h"
#include "core/StationLock.h"
#include "core/TerminationSignals.h"
#include "history/DatabasePath.h"
#include "link/ModbusFieldbus.h"
#include "paramset/ParameterSetFile.h"
#include "station/StationCore.h"

namespace {

constexpr char kProgram[] = "tq5800-probe";
constexpr int kPort = 1;
constexpr int kHeld = 3;
constexpr int kNothingWritten = 2;

// The journal a load's writes go to: the one the station on this
// instrument keeps (its default unless --journal names another).
QString journalPathOf(const ProbeOptions& options)
{
    return JournalPath::resolve(options.journalPath, DatabasePath::defaultPath());
}

// Takes the journal's lock, so the writes go into the record a station
// keeps and never beside a running station, which answers for the
// instrument meanwhile. The exit code after telling why not, or nothing.
std::optional<int> refusedJournal(StationLock& lock, const QString& path)
{
    switch (lock.take()) {
    case StationLock::Outcome::Taken: return std::nullopt;
    case StationLock::Outcome::Held:
        std::fprintf(stderr, "%s: the journal %s is in use by %s; nothing written (load the set from that station)\n",
                     kProgram, qPrintable(path), qPrintable(lock.holder().text()));
        return kHeld;
    case StationLock::Outcome::Failed: break;
    }
    std::fprintf(stderr, "%s: the journal %s cannot be locked: %s; nothing written\n", kProgram, qPrintable(path),
                 qPrintable(lock.error()));
    return kNothingWritten;
}

// The parameter set action alone: the link opens without the poll, whose
// reads would only come between the set's reads and writes.
int runParameterCommand(QCoreApplication& app, const ProbeOptions& options, const PortDevices& devices)
{
    // A bad file is told before the instrument, or the journal, is touched.
    ParameterSet file;
    if (options.setAction != ProbeOptions::SetAction::Save) {
        const SetFileReading reading = ParameterSetFile::load(options.setFile);
        if (!reading.set) {
            std::fprintf(stderr, "%s: %s: %s\n", kProgram, qPrintable(options.setFile), qPrintable(reading.problem));
            return kNothingWritten;
        }
        file = *reading.set;
    }
    std::optional<QString> journal;
    std::unique_ptr<StationLock> journalLock;  // outlives the core's journal
    if (options.writes()) {
        journal = journalPathOf(options);
        journalLock = std::make_unique<StationLock>(StationLock::pathBeside(*journal));
        if (const std::optional<int> refused = refusedJournal(*journalLock, *journal))
            return *refused;
    }
    SystemClock clock;
    // No history file or archive; a journal only for a load.
    StationCore core(std::make_unique<ModbusFieldbus>(devices), clock, std::nullopt, journal);
    if (core.journals())
        core.journal().setFileLock(journalLock.get());
    PortConnection& connection = core.connection();
    connection.lockDevices(devices);
    if (const auto refused = connection.claimDevice(kPort)) {
        std::fprintf(stderr, "tq5800-probe: %s is in use by %s\n", qPrintable(refused->device),
                     qPrintable(refused->holder.text()));
        return 3;
    }
    core.link().open(LinkSettings{kPort, options.baudCode, options.parityCode, options.address});

    ParameterCommand command(options, file, core.link());
    // Queued: a refused download ends the command before the event loop runs.
    QObject::connect(&command, &ParameterCommand::done, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        std::fprintf(stderr, "tq5800-probe: stopped before the parameter set action finished\n");
        app.exit(2);
    });
    command.start();
    const int exitCode = app.exec() != 0 ? 2 : command.exitCode();
    if (core.journals() && !core.journal().writing()) {
        std::fprintf(stderr, "tq5800-probe: the journal %s could not be written: %s; %d events not journaled\n",
                     qPrintable(core.journal().path()), qPrintable(core.journal().failure()),
                     core.journal().heldEvents());
    }
    return exitCode;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const EnglishTexts::Installed english;
    ProbeOptions options;
    QString error;
    if (!parseProbeOptions(app.arguments(), options, error))
        return ProgramCommandLine::refuse(kProgram, error.toStdString());
    if (!options.help.isEmpty())
        return ProgramCommandLine::answer(options.help.toStdString());
    if (options.version)
        return ProgramCommandLine::version(kProgram);

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
