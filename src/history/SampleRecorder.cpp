#include "history/SampleRecorder.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "core/Clock.h"
#include "core/StationLock.h"
#include "core/DateValue.h"
#include "core/WholeNumber.h"
#include "history/HistoryLog.h"
#include "history/SampleWriter.h"
#include "instrument/InstrumentState.h"
#include "instrument/RegisterMap.h"

namespace {

// The clock may be set back, so a time since is measured both ways.
qint64 secondsBetween(const QDateTime& a, const QDateTime& b)
{
    return std::llabs(a.secsTo(b));
}

// What the file's failure cost: the ring's missing seconds, and where
// they are kept all the same.
QString ringGapText(const RecorderHealth::RingGap& gap)
{
    if (gap.seconds == 0)
        return QStringLiteral("the ring missed no second");
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    return QStringLiteral("the ring missed %1 second(s), %2 to %3; %4")
        .arg(gap.seconds)
        .arg(gap.first->toString(format), gap.last->toString(format),
             gap.handedOn ? QStringLiteral("each was handed to the archive")
                          : QStringLiteral("without an archive they are kept nowhere"));
}

} // namespace

SampleRecorder::SampleRecorder(const InstrumentState& state, const Clock& clock, const QString& databasePath,
                               const QString& connectionName, QObject* parent)
    : QObject(parent)
    , state_(state)
    , clock_(clock)
    , database_(connectionName, databasePath)
{
    tickTimer_.setInterval(kTickIntervalMs);
    connect(&tickTimer_, &QTimer::timeout, this, &SampleRecorder::tick);
}

SampleRecorder::~SampleRecorder()
{
    closeDatabase();
}

void SampleRecorder::start()
{
    const QDateTime now = clock_.now();
    lastCheck_ = now;
    openDatabase(now);
    tickTimer_.start();
}

void SampleRecorder::stop()
{
    tickTimer_.stop();
}

double SampleRecorder::secondsSinceLastSample() const
{
    return secondsSinceLastSample(clock_.now());
}

double SampleRecorder::secondsSinceLastSample(const QDateTime& now) const
{
    // Date and time of day from the clock's whole-second reading, so the
    // result is a whole number of seconds; abs() makes a clock set back
    // count as time passed and store at once.
    const double today = DateValue::fromDate(now.date());
    const double timeNow = DateValue::fromTime(now.time());
    const double days = (today - lastSampleDate_) + (timeNow - lastSampleTime_);
    const double seconds = days * 24.0 * 60.0 * 60.0;
    return std::fabs(roundHalfEven(seconds));
}

void SampleRecorder::tick()
{
    const QDateTime now = clock_.now();
    keepDatabaseOpen(now);

    if (secondsSinceLastSample(now) < 1)
        return;
    if (!measuredRecently(now)) {
        // Nothing the instrument said stands for this second: the history
        // gets a gap rather than zeros or the last values again. Only an
        // instrument that was answering is news: before the first answer
        // and while the link is closed nothing was to be had.
        if (std::exchange(sampling_, false)) {
            qCInfo(historyLog) << "no sample while the instrument does not answer";
            waitingForAnswer_ = true;
        }
        const RecorderHealth::State before = health_.state();
        if (health_.recordPaused(now))
            reportHealth(before);
        return;
    }
    if (std::exchange(waitingForAnswer_, false))
        qCInfo(historyLog) << "the instrument answers: samples resume";
    sampling_ = true;
    // Before the pointer is read and the sample written: both belong to
    // the file at the path now, never to one that lost its name.
    followFileAtPath(now);
    advanceRecordNumber();
    lastSampleTime_ = DateValue::fromTime(now.time());
    lastSampleDate_ = DateValue::fromDate(now.date());
    const Sample sample = takeSample();
    storeSample(sample, now);
    emit sampleTaken(sample);
    emit sampleRecorded(withBits(sample, now));
}

bool SampleRecorder::measuredRecently(const QDateTime& now) const
{
    return state_.isFresh(InstrumentState::Block::Measurements, now);
}

void SampleRecorder::advanceRecordNumber()
{
    // The file's pointer wins over the count in memory, so a restart and a
    // repaired file both continue the ring where the file says. A pointer
    // outside the ring (a foreign or damaged file) starts it again at 1.
    if (writer_) {
        if (const auto pointer = writer_->readPointer())
            recordNumber_ = *pointer;
    }
    if (recordNumber_ < 0 || recordNumber_ >= HistoryTables::kRingSize)
        recordNumber_ = 0;
    ++recordNumber_;
}

Sample SampleRecorder::takeSample() const
{
    Sample sample;
    sample.recordNumber = recordNumber_;
    sample.date = lastSampleDate_;
    sample.time = lastSampleTime_;
    for (size_t i = 0; i < sample.values.size(); ++i)
        sample.values[i] = state_.measurement(RegisterMap::kInputBlockStart + static_cast<int>(i));
    return sample;
}

RecordedSample SampleRecorder::withBits(const Sample& sample, const QDateTime& now) const
{
    // The whole second, moved on the UTC axis so a repeated local hour keeps
    // its own occurrence.
    RecordedSample recorded{sample, now.addMSecs(-now.time().msec()), std::nullopt, std::nullopt};
    const auto bits = [](auto read) {
        uint16_t value = 0;
        for (int i = 0; i < RegisterMap::kBitBlockSize; ++i)
            value |= read(RegisterMap::kBitBlockStart + i) ? uint16_t(1u << i) : uint16_t(0);
        return value;
    };
    if (state_.isFresh(InstrumentState::Block::DiscreteInputs, now))
        recorded.alarmBits = bits([this](int input) { return state_.discreteInput(input); });
    if (state_.isFresh(InstrumentState::Block::Coils, now))
        recorded.coilBits = bits([this](int coil) { return state_.coil(coil); });
    return recorded;
}

void SampleRecorder::storeSample(const Sample& sample, const QDateTime& now)
{
    if (!writer_) {
        health_.recordMissedSecond(now);
        return;
    }
    const SampleWriter::Result result = writer_->store(sample);
    if (result.stored) {
        qCDebug(historyLog).noquote() << "stored record" << recordNumber_ << "at" << now.toString(Qt::ISODate);
        const RecorderHealth::State before = health_.state();
        if (health_.recordStored(now, result.pointerWritten))
            reportHealth(before);
        emit sampleStored(recordNumber_);
        return;
    }
    // Only this sample is lost. The connection is dropped; the first failure
    // of an episode opens it afresh at the next tick, which clears a file
    // replaced or repaired meanwhile. A file that still fails is then only
    // tried every few seconds: each try may wait the busy time-out on this
    // thread, the window's.
    const bool firstFailure = health_.state() != RecorderHealth::State::Failing;
    reportFailure(QStringLiteral("a sample could not be stored: ") + result.error, now,
                  SqliteProblem::classify(result.failure, database_.path()));
    health_.recordMissedSecond(now);
    closeDatabase();
    if (firstFailure)
        lastCheck_.reset();
    else
        lastCheck_ = now;
}

void SampleRecorder::keepDatabaseOpen(const QDateTime& now)
{
    if (database_.isOpen())
        return;
    if (lastCheck_ && secondsBetween(*lastCheck_, now) < kRecheckSeconds)
        return;
    lastCheck_ = now;
    openDatabase(now);
}

void SampleRecorder::followFileAtPath(const QDateTime& now)
{
    // SQLite goes on writing into a file that was deleted or replaced under
    // it, and all of that would be lost with it.
    const HistoryDatabase::FileChange change = database_.followFileAtPath();
    if (change == HistoryDatabase::FileChange::None)
        return;
    writer_.reset();  // its statements belonged to the old file's connection
    if (!database_.isOpen()) {
        lastCheck_ = now;
        reportFailure(QStringLiteral("%1: %2").arg(database_.path(), database_.errorText()), now, database_.problem());
        return;
    }
    writer_ = std::make_unique<SampleWriter>(database_.database(), database_.layout());
    if (change == HistoryDatabase::FileChange::Replaced)
        qCWarning(historyLog).noquote() << "the history file" << database_.path()
                                        << "was replaced by another file: recording goes on in that one";
    else
        qCWarning(historyLog).noquote() << "the history file" << database_.path()
                                        << "was deleted: recording goes on in a new one";
    health_.recordFileSwitch(change, now);
    emit healthChanged(health_);
}

void SampleRecorder::openDatabase(const QDateTime& now)
{
    closeDatabase();
    if (!claimFile(now))
        return;
    if (!database_.open()) {
        reportFailure(QStringLiteral("%1: %2").arg(database_.path(), database_.errorText()), now, database_.problem());
        return;
    }
    writer_ = std::make_unique<SampleWriter>(database_.database(), database_.layout());
}

bool SampleRecorder::claimFile(const QDateTime& now)
{
    if (!lock_)
        return true;
    const StationLock::Outcome outcome = lock_->isTaken() ? StationLock::Outcome::Taken : lock_->take();
    const bool lockChanged =
        health_.recordLock(lock_->isTaken() ? RecorderHealth::Lock::Taken : RecorderHealth::Lock::NotTaken);
    switch (outcome) {
    case StationLock::Outcome::Taken:
        if (lockChanged)
            qCInfo(historyLog).noquote() << "the history file is locked:" << lock_->path();
        break;
    case StationLock::Outcome::Held: {
        const RecorderHealth::State before = health_.state();
        const LockHolder& holder = lock_->holder();
        if (health_.recordFailure(QStringLiteral("%1 is in use by %2").arg(database_.path(), holder.text()), now,
                                  FileProblem::inUse(database_.path(), holder.pid))
            || lockChanged)
            reportHealth(before);
        return false;
    }
    case StationLock::Outcome::Failed:
        // The file may still be writable: it is recorded into unlocked, and
        // the status display says so.
        if (!std::exchange(lockFailureLogged_, true))
            qCWarning(historyLog).noquote() << "the history file is not locked:" << lock_->error();
        break;
    }
    if (lockChanged)
        emit healthChanged(health_);
    return true;
}

void SampleRecorder::closeDatabase()
{
    writer_.reset();
    database_.close();
}

void SampleRecorder::reportFailure(const QString& reason, const QDateTime& now, const FileProblem& problem)
{
    const RecorderHealth::State before = health_.state();
    if (health_.recordFailure(reason, now, problem))
        reportHealth(before);
}

void SampleRecorder::reportHealth(RecorderHealth::State before)
{
    // One line for each change the status display shows; the first good
    // sample after start-up is no news.
    switch (health_.state()) {
    case RecorderHealth::State::Failing:
        qCWarning(historyLog).noquote() << "recording fails:" << health_.reason();
        break;
    case RecorderHealth::State::PointerMissing:
        qCWarning(historyLog).noquote() << "recording without its pointer:" << health_.reason();
        break;
    case RecorderHealth::State::Recording:
        // After a pause the tick has said that samples resume.
        if (before != RecorderHealth::State::Starting && before != RecorderHealth::State::Paused)
            qCWarning(historyLog).noquote() << "recording resumed;" << ringGapText(health_.ringGap());
        break;
    case RecorderHealth::State::Starting:
    case RecorderHealth::State::Paused:
        break;
    }
    emit healthChanged(health_);
}
