#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include "core/FileProblem.h"
#include "history/HistoryDatabase.h"

// Whether samples reach the history database, as the status display tells
// it. The recorder keeps running whatever this says (the live chart does not
// depend on the file); this only makes a silent loss of history visible.
// A failure episode starts with the first failed open or write and ends with
// the next sample that is stored.
class RecorderHealth {
public:
    enum class State {
        Starting,        // no open attempt yet
        Recording,       // the last sample was stored with its ring pointer
        PointerMissing,  // samples are stored, but sl_void has no record to name them
        Failing,         // the file cannot be opened or written; see reason()
        Paused,          // the instrument's values are not fresh: no sample, a gap
    };

    // Whether the file is locked against a second station. Unasked for a
    // recorder that keeps no lock (the tools, most tests).
    enum class Lock { Unasked, NotTaken, Taken };

    // Each returns true when the state or the reason changed, which is when
    // the status display needs to hear about it.
    bool recordStored(const QDateTime& now, bool pointerWritten);
    // problem: the reason in the operator's terms, where it is known.
    bool recordFailure(const QString& reason, const QDateTime& now, const FileProblem& problem = {});
    // After each attempt to take the lock.
    bool recordLock(Lock lock);
    // Another file took the path's place (renamed over it, or made anew
    // after the old one was deleted) and the recorder went over to it:
    // always news. Shown beside the state until the next failure.
    void recordFileSwitch(HistoryDatabase::FileChange change, const QDateTime& now);
    // A second passed without fresh values to store. A failing file stays
    // the news until a sample is stored again.
    bool recordPaused(const QDateTime& now);
    // A sample fell due while the database was unusable.
    void recordLostSample() { ++lostSamples_; }

    State state() const { return state_; }
    bool recording() const { return state_ == State::Recording; }
    const QString& reason() const { return reason_; }
    const FileProblem& problem() const { return problem_; }
    Lock lock() const { return lock_; }
    // A lock is wanted and not held: another station could write the file.
    bool unlocked() const { return lock_ == Lock::NotTaken; }
    std::optional<QDateTime> failingSince() const { return failingSince_; }
    std::optional<QDateTime> pausedSince() const { return pausedSince_; }
    std::optional<QDateTime> lastStored() const { return lastStored_; }
    HistoryDatabase::FileChange fileSwitch() const { return fileSwitch_; }
    std::optional<QDateTime> fileSwitchedAt() const { return fileSwitchedAt_; }
    int64_t storedSamples() const { return storedSamples_; }
    int64_t lostSamples() const { return lostSamples_; }

private:
    bool change(State state, const QString& reason, const FileProblem& problem = {});

    State state_ = State::Starting;
    QString reason_;
    FileProblem problem_;
    Lock lock_ = Lock::Unasked;
    std::optional<QDateTime> failingSince_;
    std::optional<QDateTime> pausedSince_;
    std::optional<QDateTime> lastStored_;
    int64_t storedSamples_ = 0;
    int64_t lostSamples_ = 0;
    HistoryDatabase::FileChange fileSwitch_ = HistoryDatabase::FileChange::None;
    std::optional<QDateTime> fileSwitchedAt_;
};

Q_DECLARE_METATYPE(RecorderHealth)
