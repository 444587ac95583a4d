#pragma once

#include <chrono>
#include <functional>

#include <QString>

// A connection made with libpq's non-blocking calls and closed again, before
// the driver opens its own: Qt's driver waits in libpq for the whole
// connect time-out, cannot be interrupted and keeps nothing of a refusal
// but its words. This one is given up at once when cancelled, and a
// refusal keeps the server's error class (its SQLSTATE).
struct ConnectionTrial {
    enum class Outcome { Connected, Refused, TimedOut, Cancelled };
    Outcome outcome = Outcome::Refused;
    QString sqlState;          // the server's, when it refused; empty for libpq's own failures
    bool needsPassword = false; // the server asked for a password and none was found
    QString message;           // libpq's words, on one line

    // Needs libpq loaded (a QPSQL connection made first).
    static ConnectionTrial run(const QString& options, std::chrono::milliseconds limit,
                               const std::function<bool()>& cancelled);
};
