#pragma once

#include <optional>
#include <vector>

#include <QObject>
#include <QString>

#include "core/ShownText.h"
#include "link/RegisterReading.h"
#include "link/WriteRequest.h"
#include "paramset/DownloadPlan.h"
#include "paramset/InstrumentSetReader.h"
#include "paramset/ParameterSet.h"

class InstrumentLink;

// How a download went. A refused set or a failed fresh read writes
// nothing and says why in problem. Otherwise the plan's writes split into
// written (each read back and found as sent), the one that failed (its
// write or read-back failed, or the instrument held another value) and
// those not written after it.
struct DownloadReport {
    QString problem;
    std::vector<SetDifference> written;
    std::optional<SetDifference> failed;
    QString failure;
    std::vector<SetDifference> notWritten;
    std::vector<SetDifference> kept;  // link settings left as they are

    bool complete() const { return problem.isEmpty() && !failed && notWritten.empty(); }
};

// Loads a set into the instrument: checks it whole, reads the instrument
// fresh, writes only what differs, in the plan's order, each as an
// operator write (origin "parameter download") read back before the next. Stops at
// the first failure or mismatch.
class ParameterDownload : public QObject {
    Q_OBJECT

public:
    static inline const QString& kOrigin = WriteOrigin::kParameterDownload;

    explicit ParameterDownload(InstrumentLink& link, QObject* parent = nullptr);

    // Ignored while a download is running. A refused set finishes here,
    // before start returns.
    void start(const ParameterSet& file);
    bool busy() const { return busy_; }

signals:
    // After the fresh read: what will be written.
    void planned(const DownloadPlan& plan);
    // After each write read back as sent.
    void progress(int done, int total);
    void finished(const DownloadReport& report);

private:
    void onFreshRead(const SetReading& reading);
    void writeNext();
    void onWriteFinished(const WriteOutcome& outcome);
    void onRegistersRead(const RegisterReading& reading);
    void fail(const ShownText& why);
    void finish();

    InstrumentLink& link_;
    InstrumentSetReader reader_;
    bool busy_ = false;
    ParameterSet file_;
    DownloadPlan plan_;
    size_t next_ = 0;
    DownloadReport report_;
};

Q_DECLARE_METATYPE(DownloadReport)
