#pragma once

#include <mutex>

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
    // waiting on it fails at once. The socket stays open until the owner
    // closes it, so its number is never another's by then.
    void breakConnection();

private:
    std::mutex mutex_;
    int socket_ = -1;
};
