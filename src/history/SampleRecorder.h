#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include "history/RecordedSample.h"
#include "history/RecorderHealth.h"
#include "history/HistoryDatabase.h"
#include "history/SampleWriter.h"

class Clock;
class SampleWriter;
class InstrumentState;
class StationLock;

// Stores the instrument's measurements once per wall-clock second into the
// ring of 65500 records of the history database and announces each second's
// sample to the live chart. A second for which the instrument has not
// answered within the last two poll cycles (the link closed, no answer yet,
// a silent instrument) gets no sample at all: a gap, never an invented value. A timer calls tick() every 100 ms on the
// user-interface thread; nothing here blocks longer than the database's
// short busy time-out.
//
// The database is a convenience to the live chart, never a precondition:
// when the file cannot be opened or written the tick goes on counting
// record numbers, keeping the sample's time and announcing it, the failure
// shows in health(), and the file is tried again every few seconds (by the
// injected clock) until recording resumes by itself. Each sample goes into
// the file at the path at that moment: a file deleted or replaced under the
// recorder is left for the new one, and health() says so once.
//
// Given a lock (setFileLock), the recorder takes it whenever it opens the
// file for writing and does not hold it yet, so a station that could not
// reach its file at start locks it the moment it can. While another station
// holds it nothing is written, and health() names the holder; while it
// cannot be taken at all, health() says the file is not locked.
class SampleRecorder : public QObject {
    Q_OBJECT

public:
    static constexpr int kTickIntervalMs = 100;
    static constexpr int kRecheckSeconds = 5;
    static inline const QString kConnectionName = QStringLiteral("tq5800-recorder");

    SampleRecorder(const InstrumentState& state, const Clock& clock, const QString& databasePath,
                   const QString& connectionName = kConnectionName, QObject* parent = nullptr);
    ~SampleRecorder() override;

    // Opens the database, so a file that cannot be used is reported at
    // once, and starts the tick timer.
    void start();
    // Stops the tick timer; the database stays open until destruction.
    void stop();
    // The lock of the file against a second station; it must outlive the
    // recorder. Without one nothing is locked.
    void setFileLock(StationLock* lock) { lock_ = lock; }
    bool running() const { return tickTimer_.isActive(); }
    // Whether something keeps every sample announced (the archive), so a
    // second the ring misses is kept there: said where the loss is told.
    void setSamplesHandedOn(bool handedOn) { health_.setSamplesHandedOn(handedOn); }

    // Stores a sample when the clock's second has changed since the last
    // one, and keeps the database open. The timer calls it; a test with a
    // stepped clock may call it instead.
    void tick();

    // Whole seconds between the last stored sample and now, never negative.
    double secondsSinceLastSample() const;

    // The ring's record number of the last sample, kept between ticks.
    int32_t recordNumber() const { return recordNumber_; }

    const RecorderHealth& health() const { return health_; }
    const QString& databasePath() const { return database_.path(); }
    bool databaseOpen() const { return database_.isOpen(); }

signals:
    // Only when the state or its reason changes: once per failure episode.
    void healthChanged(const RecorderHealth& health);
    void sampleStored(int32_t recordNumber);
    // Every second's sample, stored or not: the live chart shows it as the
    // recorder took it.
    void sampleTaken(const Sample& sample);
    // The same sample with the bits of its second, for the archive.
    void sampleRecorded(const RecordedSample& recorded);

private:
    double secondsSinceLastSample(const QDateTime& now) const;
    bool measuredRecently(const QDateTime& now) const;
    void advanceRecordNumber();
    void keepDatabaseOpen(const QDateTime& now);
    void followFileAtPath(const QDateTime& now);
    void openDatabase(const QDateTime& now);
    // False, with the failure reported, while another station holds the lock.
    bool claimFile(const QDateTime& now);
    void closeDatabase();
    Sample takeSample() const;
    RecordedSample withBits(const Sample& sample, const QDateTime& now) const;
    void storeSample(const Sample& sample, const QDateTime& now);
    void reportFailure(const QString& reason, const QDateTime& now, const FileProblem& problem);
    void reportHealth(RecorderHealth::State before);

    const InstrumentState& state_;
    const Clock& clock_;
    // Date value and time of day of the last sample, as the file stores them.
    double lastSampleDate_ = 0.0;
    double lastSampleTime_ = 0.0;
    // The last second had a sample: the instrument was answering.
    bool sampling_ = false;
    // Its silence was logged; its next answer is, too.
    bool waitingForAnswer_ = false;
    QTimer tickTimer_;
    int32_t recordNumber_ = 0;
    HistoryDatabase database_;
    std::unique_ptr<SampleWriter> writer_;
    std::optional<QDateTime> lastCheck_;
    StationLock* lock_ = nullptr;
    bool lockFailureLogged_ = false;
    RecorderHealth health_;
};
