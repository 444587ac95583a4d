#pragma once

#include <deque>
#include <vector>
#include <optional>

#include <QObject>
#include <QString>
#include <QTimer>

#include "archive/ArchiveFolder.h"
#include "archive/ArchiveHealth.h"
#include "archive/ArchiveSettings.h"
#include "archive/RingReader.h"
#include "history/RecordedSample.h"

class Clock;
class StationLock;

// Keeps every recorded sample for good in the month files of the archive
// folder, beside the ring. Samples are queued and written a batch per
// transaction, so the recorder's tick only appends to a queue. A folder or
// file that cannot be written is reported once per episode and tried again
// every few seconds; the queue holds the samples meanwhile (bounded).
// At start, and when writing works again, the ring's samples newer than
// the archive's newest are copied first, a chunk per turn of the event loop
// while the queue waits: what a killed station or a full disk kept from
// the archive, the ring still has (for 18 hours).
//
// A sample whose moment is archived already (the clock set back within an
// hour's samples) is not written; the first one stays, and health() counts
// the others and the log says so.
//
// Given a lock of the folder, the store takes it before it writes whenever
// it does not hold it yet; while another station holds it nothing is
// written.
class ArchiveStore : public QObject {
    Q_OBJECT

public:
    ArchiveStore(ArchiveSettings settings, const QString& historyPath, const Clock& clock,
                 QObject* parent = nullptr);
    ~ArchiveStore() override;

    // Removes months past the retention, back-fills from the ring and
    // starts the batch timer.
    void start();
    // Finishes the back-fill, writes what is queued and stops the timers;
    // what a failing archive still holds then is left to the next start's
    // back-fill.
    void stop();

    // The recorder's hand-over: queues the sample and writes a full batch.
    void add(const RecordedSample& recorded);
    // The lock of the folder against a second station; it must outlive the
    // store. Without one nothing is locked.
    void setFolderLock(StationLock* lock) { lock_ = lock; }
    // The module address of the samples from now on; empty while unknown.
    void setModuleAddress(std::optional<int> address) { address_ = address; }

    // Writes the queue now (the batch timer calls it).
    void flush();

    const ArchiveHealth& health() const { return health_; }
    const QString& folder() const { return folder_.path(); }
    int queued() const { return static_cast<int>(queue_.size()); }

signals:
    void healthChanged(const ArchiveHealth& health);
    // The retention removed these month files ("2025-01.sqlite"), keeping
    // keepMonths whole months before the current one.
    void monthsRemoved(const QStringList& files, int keepMonths);

private:
    bool readBackFill();
    bool writeBackFill(bool whole);
    void writeQueue(bool whole = false);
    void retry();
    void removeOldMonths();
    // False, with the failure reported, while another station holds the lock.
    bool claimFolder();
    void fail(const QString& reason, const FileProblem& problem);

    ArchiveSettings settings_;
    const Clock& clock_;
    ArchiveFolder folder_;
    RingReader ring_;
    std::deque<PeriodSample> queue_;
    std::vector<PeriodSample> backFill_;  // read from the ring, not yet copied
    size_t backFillDone_ = 0;
    std::optional<int> address_;
    bool backFillDue_ = true;
    QString retainedFrom_;  // the month the last retention ran in
    ArchiveHealth health_;
    StationLock* lock_ = nullptr;
    bool lockFailureLogged_ = false;
    QTimer batchTimer_;
    QTimer retryTimer_;
    QTimer backFillStep_;
};
