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
    // A second's sample fell due while the file could not take it: the ring
    // has no record of that second.
    void recordMissedSecond(const QDateTime& now);

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
    // Seconds the ring has no record of since start, over every episode.
    int64_t missedSeconds() const { return missedSeconds_; }

    // The seconds the ring missed in the current failure episode, or in
    // the last one until the next begins. The recorder announced each of
    // them all the same; handedOn says whether something (the archive)
    // takes what it announces, so they are kept there.
    struct RingGap {
        int64_t seconds = 0;
        std::optional<QDateTime> first;
        std::optional<QDateTime> last;
        bool handedOn = false;
    };
    const RingGap& ringGap() const { return ringGap_; }
    void setSamplesHandedOn(bool handedOn) { handedOn_ = handedOn; }

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
    int64_t missedSeconds_ = 0;
    RingGap ringGap_;
    bool handedOn_ = false;
    HistoryDatabase::FileChange fileSwitch_ = HistoryDatabase::FileChange::None;
    std::optional<QDateTime> fileSwitchedAt_;
};

Q_DECLARE_METATYPE(RecorderHealth)
