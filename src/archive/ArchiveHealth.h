#pragma once

#include <cstdint>
#include <optional>

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include "core/FileProblem.h"

// Whether samples reach the archive, for the status display. The ring and
// the recorder go on whatever this says. A failure episode starts with the
// first batch or file that cannot be written and ends with the next batch
// that is.
class ArchiveHealth {
public:
    enum class State {
        Starting,  // nothing written yet
        Writing,   // the last batch is in its month file
        Failing,   // the folder or a month file cannot be written; see reason()
    };

    // Each returns true when the state or the reason changed.
    bool recordWritten();
    // problem: the reason in the operator's terms, where it is known.
    bool recordFailure(const QString& reason, const QDateTime& now, const FileProblem& problem = {});
    // The queue was full while failing: the oldest sample left it.
    void recordDropped() { ++droppedSamples_; }
    // Samples whose moment the archive held already (a clock set back):
    // the archived ones stay, these are counted and not written.
    void recordRepeated(int samples) { repeatedSamples_ += samples; }

    State state() const { return state_; }
    bool writing() const { return state_ == State::Writing; }
    const QString& reason() const { return reason_; }
    const FileProblem& problem() const { return problem_; }
    std::optional<QDateTime> failingSince() const { return failingSince_; }
    int64_t droppedSamples() const { return droppedSamples_; }
    int64_t repeatedSamples() const { return repeatedSamples_; }

private:
    State state_ = State::Starting;
    QString reason_;
    FileProblem problem_;
    std::optional<QDateTime> failingSince_;
    int64_t droppedSamples_ = 0;
    int64_t repeatedSamples_ = 0;
};

Q_DECLARE_METATYPE(ArchiveHealth)
