#pragma once

#include <chrono>
#include <mutex>
#include <optional>

class QSqlDatabase;

// Lets the station's thread break the forwarder's server connection while
// the forwarder's thread waits on it. libpq has no time limit of its own on
// an answer, and the server's statement time-out is no help when the server
// itself stops answering (a frozen host, a stopped process): without this a
// pass would wait for ever, and the station's exit with it.
class ConnectionBreaker {
public:
    // The forwarder's thread: the connection just opened; before closing it.
    void attach(const QSqlDatabase& db);
    void detach();
    // Any thread: shuts the connection's socket, so that the statement
    // waiting on it fails at once, and gives up a connection being made.
    // The socket stays open until the owner closes it, so its number is
    // never another's by then.
    void breakConnection();
    // The forwarder's thread, while connecting: whether to give up. Stays
    // so until reset().
    bool breakRequested();
    void reset();

    // The forwarder's thread: a batch goes to the server now; the pass is
    // over.
    void batchStarted();
    void passEnded();
    // Any thread: breaks the connection when a batch has waited longer than
    // this for the server; true when it did.
    bool breakIfWaitingLongerThan(std::chrono::milliseconds limit);
    // The forwarder's thread: how long the batch had waited when the
    // connection was broken under it, once.
    std::optional<std::chrono::milliseconds> takeBreak();

private:
    using Clock = std::chrono::steady_clock;
    // The mutex, and the same hand-over announced to ThreadSanitizer: the
    // station's side runs from Qt's timers and the forwarder's shutdown,
    // where the sanitizer misses the lock itself (see link/ThreadHandOver.h).
    class Locked {
    public:
        explicit Locked(ConnectionBreaker& breaker);
        ~Locked();

    private:
        std::lock_guard<std::mutex> lock_;
        ConnectionBreaker& breaker_;
    };
    void breakLocked();

    std::mutex mutex_;
    int socket_ = -1;
    bool breakRequested_ = false;
    std::optional<Clock::time_point> batchStarted_;
    std::optional<std::chrono::milliseconds> brokenAfter_;
};
