#pragma once

#include <optional>

#include <QDateTime>
#include <QMetaType>
#include <QString>

#include "historian/ForwardingFailure.h"

// Whether the central server takes what the station forwards. The local
// files go on whatever this says. A failure episode starts with the first
// pass that cannot reach, is refused by or cannot write to the server, and
// ends with the next pass that sends everything waiting.
class HistorianHealth {
public:
    enum class State {
        Starting,    // nothing confirmed yet
        Forwarding,  // the server holds every row read so far
        Failing,     // see reason()
    };

    // Each returns true when an episode begins or ends.
    bool recordForwarded();
    bool recordFailure(const ForwardingFailure& failure, const QDateTime& now);

    State state() const { return state_; }
    // What began the failure episode: its cause and the server's words.
    ForwardingFailure::Cause cause() const { return cause_; }
    const QString& reason() const { return reason_; }
    std::optional<QDateTime> failingSince() const { return failingSince_; }

private:
    State state_ = State::Starting;
    ForwardingFailure::Cause cause_ = ForwardingFailure::Cause::Unknown;
    QString reason_;
    std::optional<QDateTime> failingSince_;
};

Q_DECLARE_METATYPE(HistorianHealth)
