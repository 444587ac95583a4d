#include "ProbeOptions.h"

#include <QCommandLineParser>

#include "link/LinkCodes.h"

bool parseProbeOptions(const QStringList& arguments, ProbeOptions& options, QString& error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Polls one TQ5800 instrument and prints the process image as JSON, one object per cycle."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Serial device."), QStringLiteral("PATH"));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("4800, 9600 or 19200."), QStringLiteral("B"), QStringLiteral("9600"));
    const QCommandLineOption parity(QStringLiteral("parity"), QStringLiteral("none, odd or even."), QStringLiteral("P"), QStringLiteral("none"));
    const QCommandLineOption address(QStringLiteral("address"), QStringLiteral("Module address 1..247."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption cycles(QStringLiteral("cycles"), QStringLiteral("Poll cycles to run; 0 runs until ended."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("Milliseconds between cycles."), QStringLiteral("MS"), QStringLiteral("500"));
    parser.addOptions({device, baud, parity, address, cycles, interval});

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        error = parser.helpText();
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.version = true;
        return true;
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
    return true;
}
