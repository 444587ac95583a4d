#include "ParameterCommand.h"

#include <cstdio>

#include "paramset/DownloadPlan.h"
#include "paramset/ParameterSetFile.h"

namespace {

using Action = ProbeOptions::SetAction;

void printLine(const QString& line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
}

// "4099 Input upper limit: 4000 -> 5000", the instrument's value first, in
// the words of the interface's language: the probe's is English.
QString changeText(const SetDifference& d)
{
    return QStringLiteral("%1 %2: %3 -> %4")
        .arg(d.slot->registerAddress).arg(d.shownCaption(), d.shownInstrumentText(), d.shownFileText());
}

void printKept(const std::vector<SetDifference>& kept)
{
    for (const SetDifference& d : kept)
        printLine(QStringLiteral("kept %1 (link settings are not loaded)").arg(changeText(d)));
}

} // namespace

ParameterCommand::ParameterCommand(const ProbeOptions& options, const ParameterSet& file, InstrumentLink& link,
                                   QObject* parent)
    : QObject(parent)
    , options_(options)
    , reader_(link)
    , download_(link)
    , file_(file)
{
    connect(&reader_, &InstrumentSetReader::finished, this, &ParameterCommand::onFreshRead);
    connect(&download_, &ParameterDownload::finished, this, &ParameterCommand::onDownloaded);
}

void ParameterCommand::start()
{
    if (options_.setAction == Action::Load && !options_.dryRun)
        download_.start(file_);
    else
        reader_.start();
}

void ParameterCommand::onFreshRead(const SetReading& reading)
{
    if (!reading.set) {
        finish(2, reading.problem);
        return;
    }
    ParameterSet instrument = *reading.set;
    instrument.device = options_.device;
    switch (options_.setAction) {
    case Action::Save:
        if (const auto problem = ParameterSetFile::save(instrument, options_.setFile)) {
            finish(2, *problem);
            return;
        }
        printLine(QStringLiteral("saved %1 values to %2").arg(instrument.values.size()).arg(options_.setFile));
        finish(0);
        return;
    case Action::Compare: {
        const std::vector<SetDifference> differences = compareSets(file_, instrument);
        for (const SetDifference& d : differences) {
            printLine(QStringLiteral("%1 %2: file %3, instrument %4")
                          .arg(d.slot->registerAddress).arg(d.shownCaption(), d.shownFileText(), d.shownInstrumentText()));
        }
        if (differences.empty())
            printLine(QStringLiteral("no differences"));
        finish(differences.empty() ? 0 : 1);
        return;
    }
    case Action::Load: {
        const DownloadPlan plan = planDownload(file_, instrument);
        for (const SetDifference& d : plan.writes)
            printLine(QStringLiteral("would write %1").arg(changeText(d)));
        printKept(plan.kept);
        printLine(QStringLiteral("dry run: nothing written"));
        finish(0);
        return;
    }
    case Action::None: break;
    }
    finish(2);
}

void ParameterCommand::onDownloaded(const DownloadReport& report)
{
    if (!report.problem.isEmpty()) {
        finish(2, report.problem);
        return;
    }
    for (const SetDifference& d : report.written)
        printLine(QStringLiteral("written %1").arg(changeText(d)));
    if (report.failed)
        printLine(QStringLiteral("failed %1: %2").arg(changeText(*report.failed), report.failure));
    for (const SetDifference& d : report.notWritten)
        printLine(QStringLiteral("not written %1").arg(changeText(d)));
    printKept(report.kept);
    if (report.written.empty() && !report.failed)
        printLine(QStringLiteral("no differences: nothing written"));
    finish(report.complete() ? 0 : 1, report.failed ? report.failure : QString());
}

void ParameterCommand::finish(int exitCode, const QString& problem)
{
    if (!problem.isEmpty())
        std::fprintf(stderr, "tq5800-probe: %s\n", qPrintable(problem));
    std::fflush(stdout);
    exitCode_ = exitCode;
    emit done();
}
