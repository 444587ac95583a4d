#pragma once

#include <QObject>
#include <QString>

#include "ProbeOptions.h"
#include "paramset/InstrumentSetReader.h"
#include "paramset/ParameterDownload.h"
#include "paramset/ParameterSet.h"

class InstrumentLink;

// One parameter set action of the probe on an open link: save, compare or
// load (or its dry run). Prints what it did on standard output, a problem
// on standard error, and tells its exit code when done.
class ParameterCommand : public QObject {
    Q_OBJECT

public:
    // file: the set of a compare or load, read and checked beforehand.
    ParameterCommand(const ProbeOptions& options, const ParameterSet& file, InstrumentLink& link,
                     QObject* parent = nullptr);

    void start();
    int exitCode() const { return exitCode_; }

signals:
    void done();

private:
    void onFreshRead(const SetReading& reading);
    void onDownloaded(const DownloadReport& report);
    void finish(int exitCode, const QString& problem = {});

    ProbeOptions options_;
    InstrumentSetReader reader_;
    ParameterDownload download_;
    ParameterSet file_;
    int exitCode_ = 2;
};
