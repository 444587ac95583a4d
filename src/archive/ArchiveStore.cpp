#include "archive/ArchiveStore.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "archive/ArchiveLog.h"
#include "archive/RingMoment.h"
#include "core/Clock.h"
#include "core/StationLock.h"

ArchiveStore::ArchiveStore(ArchiveSettings settings, const QString& historyPath, const Clock& clock,
                           QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings))
    , clock_(clock)
    , folder_(settings_.folder)
    , ring_(historyPath)
{
    batchTimer_.setInterval(settings_.batchMs);
    retryTimer_.setInterval(settings_.retryMs);
    connect(&batchTimer_, &QTimer::timeout, this, &ArchiveStore::flush);
    connect(&retryTimer_, &QTimer::timeout, this, &ArchiveStore::retry);
    backFillStep_.setSingleShot(true);
    backFillStep_.setInterval(0);
    // Also while a failure episode ends: the state says failing until the
    // queue is written, after the back-fill.
    connect(&backFillStep_, &QTimer::timeout, this, [this] { writeQueue(); });
}

ArchiveStore::~ArchiveStore()
{
    stop();
}

void ArchiveStore::start()
{
    removeOldMonths();
    writeQueue();
    batchTimer_.start();
}

void ArchiveStore::stop()
{
    // A store never started (a station refused at start) leaves the folder
    // alone: another station may be writing it.
    if (!batchTimer_.isActive())
        return;
    batchTimer_.stop();
    retryTimer_.stop();
    backFillStep_.stop();
    if (health_.state() != ArchiveHealth::State::Failing)
        writeQueue(true);
}

void ArchiveStore::add(const RecordedSample& recorded)
{
    PeriodSample sample = RingMoment::periodSample(recorded.sample);
    if (recorded.takenAt.isValid()) {
        sample.utcMs = recorded.takenAt.toMSecsSinceEpoch();
        sample.utcOffset = recorded.takenAt.offsetFromUtc();
    }
    sample.alarmBits = recorded.alarmBits;
    sample.coilBits = recorded.coilBits;
    sample.address = address_;
    queue_.push_back(sample);
    if (static_cast<int>(queue_.size()) > settings_.maxQueued) {
        queue_.pop_front();
        health_.recordDropped();
        backFillDue_ = true;
    }
    // While failing only the retry timer tries: each try may wait the busy
    // time-out on the recorder's thread.
    if (health_.state() != ArchiveHealth::State::Failing && static_cast<int>(queue_.size()) >= settings_.batchSamples)
        writeQueue();
}

void ArchiveStore::flush()
{
    if (health_.state() != ArchiveHealth::State::Failing)
        writeQueue();
}

void ArchiveStore::retry()
{
    folder_.closeAll();
    writeQueue();
}

bool ArchiveStore::readBackFill()
{
    // The folder first: one that cannot be made is news before the first
    // batch is due.
    QString error;
    FileProblem problem;
    const std::optional<int64_t> newest =
        folder_.make(&error, &problem) ? folder_.newestUtcMs(&error, &problem) : std::nullopt;
    if (!error.isEmpty()) {
        fail(error, problem);
        return false;
    }
    QString ringError;
    backFill_ = ring_.samplesAfter(newest, &ringError);
    backFillDone_ = 0;
    if (!ringError.isEmpty()) {
        // Not the archive's fault: what the ring cannot give is not there.
        qCWarning(archiveLog).noquote() << "the ring cannot be read for the back-fill:" << ringError;
    }
    // The queued samples are in the ring too, but with their bits: they go
    // in as queued.
    if (!queue_.empty())
        std::erase_if(backFill_, [this](const PeriodSample& s) { return s.utcMs >= queue_.front().utcMs; });
    backFillDue_ = false;
    return true;
}

bool ArchiveStore::writeBackFill(bool whole)
{
    while (backFillDone_ < backFill_.size()) {
        const size_t end = std::min(backFill_.size(), backFillDone_ + static_cast<size_t>(settings_.backFillChunk));
        const std::vector<PeriodSample> chunk(backFill_.begin() + static_cast<ptrdiff_t>(backFillDone_),
                                              backFill_.begin() + static_cast<ptrdiff_t>(end));
        const ArchiveFolder::Written written = folder_.write(chunk);
        backFillDone_ += static_cast<size_t>(written.committed);
        if (!written.error.isEmpty()) {
            fail(written.error, written.problem);
            return false;
        }
        if (!whole && backFillDone_ < backFill_.size()) {
            backFillStep_.start();
            return false;
        }
    }
    if (!backFill_.empty())
        qCInfo(archiveLog).noquote() << backFill_.size() << "samples copied from the ring into the archive";
    backFill_.clear();
    backFillDone_ = 0;
    return true;
}

void ArchiveStore::writeQueue(bool whole)
{
    if (!claimFolder())
        return;
    // The queue waits for the back-fill, so the archive's newest moment
    // never passes a gap the ring has yet to fill.
    if (backFillDue_ && !readBackFill())
        return;
    if (!writeBackFill(whole))
        return;
    removeOldMonths();
    const std::vector<PeriodSample> batch(queue_.begin(), queue_.end());
    const ArchiveFolder::Written written = folder_.write(batch);
    queue_.erase(queue_.begin(), queue_.begin() + written.committed);
    if (written.repeated > 0) {
        health_.recordRepeated(written.repeated);
        qCWarning(archiveLog).noquote() << written.repeated
                                        << "samples not archived: their moment is archived already (clock set back?)";
        emit healthChanged(health_);
    }
    if (!written.error.isEmpty()) {
        fail(written.error, written.problem);
        return;
    }
    if (batch.empty() && health_.state() != ArchiveHealth::State::Failing)
        return;
    if (health_.state() == ArchiveHealth::State::Failing)
        qCInfo(archiveLog).noquote() << "the archive is written again;" << health_.droppedSamples()
                                     << "samples dropped from the queue meanwhile, taken from the ring";
    retryTimer_.stop();
    if (health_.recordWritten())
        emit healthChanged(health_);
    qCDebug(archiveLog) << "archived" << written.committed << "samples";
}

void ArchiveStore::removeOldMonths()
{
    if (settings_.keepMonths <= 0)
        return;
    const QDateTime now = clock_.now().toUTC();
    const QString month = now.toString(QStringLiteral("yyyy-MM"));
    if (month == retainedFrom_)
        return;
    const QString firstKept = now.addMonths(-settings_.keepMonths).toString(QStringLiteral("yyyy-MM"));
    const QStringList removed = folder_.removeMonthsBefore(firstKept);
    if (!removed.isEmpty()) {
        qCInfo(archiveLog).noquote() << "month files past the retention removed:" << removed.join(QStringLiteral(", "));
        emit monthsRemoved(removed, settings_.keepMonths);
    }
    retainedFrom_ = month;
}

bool ArchiveStore::claimFolder()
{
    if (!lock_ || lock_->isTaken())
        return true;
    switch (lock_->take()) {
    case StationLock::Outcome::Taken:
        qCInfo(archiveLog).noquote() << "the archive folder is locked:" << lock_->path();
        return true;
    case StationLock::Outcome::Held:
        fail(QStringLiteral("%1 is in use by %2").arg(folder_.path(), lock_->holder().text()),
             FileProblem::inUse(folder_.path(), lock_->holder().pid));
        return false;
    case StationLock::Outcome::Failed:
        if (!std::exchange(lockFailureLogged_, true))
            qCWarning(archiveLog).noquote() << "the archive folder is not locked:" << lock_->error();
        return true;
    }
    return true;
}

void ArchiveStore::fail(const QString& reason, const FileProblem& problem)
{
    // A new episode closes the connections, so the retry opens the files
    // afresh; the ring's copy covers whatever the queue cannot hold.
    folder_.closeAll();
    backFillDue_ = true;
    backFill_.clear();
    backFillDone_ = 0;
    backFillStep_.stop();
    if (health_.recordFailure(reason, clock_.now(), problem)) {
        qCWarning(archiveLog).noquote() << "archiving fails:" << reason;
        emit healthChanged(health_);
    }
    retryTimer_.start();
}
