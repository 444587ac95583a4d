#include "ProbeOptions.h"

#include <utility>

#include <QCommandLineParser>

#include "link/LinkCodes.h"

bool parseProbeOptions(const QStringList& arguments, ProbeOptions& options, QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Polls one TQ5800 instrument and prints the process image as JSON, one object per cycle.\n"
        "With a parameter set option it polls nothing: it saves, compares or loads the\n"
        "instrument's configuration parameters, alarm set points and SV.\n"
        "Exit codes: 0 done (compare: equal), 1 no answer during polling (compare: the\n"
        "instrument differs; load: stopped at a failed write), 2 usage error, or with a\n"
        "parameter set option a link failure or bad file (nothing written), 3 the device\n"
        "or, for a load, the journal is held by a station or another probe."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serial device."), QStringLiteral("PATH"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("4800, 9600 or 19200."), QStringLiteral("B"), QStringLiteral("9600"));
    const QCommandLineOption parity(QStringLiteral("parity"), QStringLiteral("none, odd or even."), QStringLiteral("P"), QStringLiteral("none"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Module address 1..247."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption cycles(QStringLiteral("cycles"), QStringLiteral("Poll cycles to run; 0 runs until ended."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("Milliseconds between cycles."), QStringLiteral("MS"), QStringLiteral("500"));
    const QCommandLineOption save(QStringLiteral("save-parameters"),
                                  QStringLiteral("Read the parameter set fresh and save it to FILE; nothing is saved when a read fails."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption compare(QStringLiteral("compare-parameters"),
                                     QStringLiteral("Print where the instrument differs from the set in FILE."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption load(QStringLiteral("load-parameters"),
                                  QStringLiteral("Write the values of FILE that differ, each read back; stops at the first failure."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("With --load-parameters: print what would be written, write nothing."));
    const QCommandLineOption journal(QStringLiteral("journal"),
                                     QStringLiteral("With --load-parameters: the event journal the writes are recorded in, "
                                                    "the one the station on this instrument keeps (default: the station's, "
                                                    "journal.sqlite beside its default history file)."),
                                     QStringLiteral("PATH"));
    parser.addOptions({device, baud, parity, address, cycles, interval, save, compare, load, dryRun, journal});

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        options.help = parser.helpText();
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.version = true;
        return true;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    if (!parser.isSet(device)) {
        error = QStringLiteral("--device PATH is required");
        return false;
    }
    options.device = parser.value(device);

    bool ok = false;
    const auto baudCode = LinkCodes::baudCode(parser.value(baud).toInt(&ok));
    if (!ok || !baudCode) {
        error = QStringLiteral("--baud must be 4800, 9600 or 19200");
        return false;
    }
    options.baudCode = *baudCode;

    const auto parityCode = LinkCodes::parityCode(parser.value(parity).toStdString());
    if (!parityCode) {
        error = QStringLiteral("--parity must be none, odd or even");
        return false;
    }
    options.parityCode = *parityCode;

    options.address = parser.value(address).toInt(&ok);
    if (!ok || options.address < 1 || options.address > 247) {
        error = QStringLiteral("--address must be 1..247");
        return false;
    }
    options.cycles = parser.value(cycles).toInt(&ok);
    if (!ok || options.cycles < 0) {
        error = QStringLiteral("--cycles must be 0 or more");
        return false;
    }
    options.intervalMs = parser.value(interval).toInt(&ok);
    if (!ok || options.intervalMs < 10) {
        error = QStringLiteral("--interval must be at least 10 ms");
        return false;
    }

    const std::pair<const QCommandLineOption*, ProbeOptions::SetAction> actions[] = {
        {&save, ProbeOptions::SetAction::Save},
        {&compare, ProbeOptions::SetAction::Compare},
        {&load, ProbeOptions::SetAction::Load},
    };
    for (const auto& [option, action] : actions) {
        if (!parser.isSet(*option))
            continue;
        if (options.setAction != ProbeOptions::SetAction::None) {
            error = QStringLiteral("--save-parameters, --compare-parameters and --load-parameters exclude each other");
            return false;
        }
        options.setAction = action;
        options.setFile = parser.value(*option);
    }
    options.dryRun = parser.isSet(dryRun);
    if (options.dryRun && options.setAction != ProbeOptions::SetAction::Load) {
        error = QStringLiteral("--dry-run goes with --load-parameters");
        return false;
    }
    if (parser.isSet(journal)) {
        if (options.setAction != ProbeOptions::SetAction::Load) {
            error = QStringLiteral("--journal goes with --load-parameters");
            return false;
        }
        options.journalPath = parser.value(journal);
        if (options.journalPath.isEmpty()) {
            error = QStringLiteral("--journal needs a path");
            return false;
        }
    }
    return true;
}
