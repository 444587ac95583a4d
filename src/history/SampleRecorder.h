#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include "history/RecorderHealth.h"
#include "history/HistoryDatabase.h"

class Clock;
class SampleWriter;
struct ProcessImage;

// The recorder host: stores the process image's inputValues once per
// wall-clock second into the ring of 65500 records of the history database
// and raises sampleReady for the main window. Its Timer1 ticks every 100 ms
// on the user-interface thread; nothing here blocks longer than the
// database's short busy time-out.
//
// The database is a convenience to the live chart, never a precondition:
// when the file cannot be opened or written the tick goes on counting
// record numbers, setting the reference time and raising sampleReady, the
// failure shows in health(), and the file is tried again every few seconds
// (by the injected clock) until recording resumes by itself.
class SampleRecorder : public QObject {
    Q_OBJECT

public:
    static constexpr int kTickIntervalMs = 100;
    static constexpr int kRecheckSeconds = 5;
    static inline const QString kConnectionName = QStringLiteral("tq5800-recorder");

    SampleRecorder(ProcessImage& image, const Clock& clock, const QString& databasePath,
          const QString& connectionName = kConnectionName, QObject* parent = nullptr);
    ~SampleRecorder() override;

    QTimer Timer1;

    // The record number being worked with, kept between ticks.
    int32_t recordId = 0;

    // Opens the database and starts Timer1.
    void Form_Load();
    void Timer1_Timer();

    // Whole seconds between the last stored sample and now, never negative.
    double okitime() const;

    const RecorderHealth& health() const { return health_; }
    const QString& databasePath() const { return database_.path(); }
    bool databaseOpen() const { return database_.isOpen(); }

signals:
    // Only when the state or its reason changes: once per failure episode.
    void healthChanged(const RecorderHealth& health);
    void sampleStored(int32_t recordId);

private:
    double elapsedSeconds(const QDateTime& now) const;
    void keepDatabaseOpen(const QDateTime& now);
    void openDatabase(const QDateTime& now);
    void closeDatabase();
    void storeSample(const QDateTime& now);
    void reportFailure(const QString& reason, const QDateTime& now);

    ProcessImage& image_;
    const Clock& clock_;
    HistoryDatabase database_;
    std::unique_ptr<SampleWriter> writer_;
    std::optional<QDateTime> lastCheck_;
    RecorderHealth health_;
};
