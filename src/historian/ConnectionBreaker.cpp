#include "historian/ConnectionBreaker.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include "link/ThreadHandOver.h"

#include <utility>

#include <dlfcn.h>
#include <sys/socket.h>

namespace {

// libpq's PQsocket, found in the libpq that Qt's PostgreSQL driver loaded:
// the station itself neither links nor needs libpq unless it forwards.
using SocketOf = int (*)(const void*);

SocketOf socketOf()
{
    static const SocketOf found = []() -> SocketOf {
        void* libpq = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        return libpq ? reinterpret_cast<SocketOf>(dlsym(libpq, "PQsocket")) : nullptr;
    }();
    return found;
}

} // namespace

ConnectionBreaker::Locked::Locked(ConnectionBreaker& breaker)
    : lock_(breaker.mutex_)
    , breaker_(breaker)
{
    handOverReceived(&breaker_);
}

ConnectionBreaker::Locked::~Locked()
{
    handOverSent(&breaker_);
}

void ConnectionBreaker::attach(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    const SocketOf of = socketOf();
    int socket = -1;
    // The driver's handle is a PGconn*, which the metatype system names
    // after the struct behind the typedef.
    const QByteArray type = handle.isValid() ? QByteArray(handle.typeName()) : QByteArray();
    if (of && (type == "pg_conn*" || type == "PGconn*")) {
        const void* connection = *static_cast<void* const*>(handle.constData());
        socket = connection ? of(connection) : -1;
    }
    const Locked lock(*this);
    socket_ = socket;
    brokenAfter_.reset();
}

void ConnectionBreaker::detach()
{
    const Locked lock(*this);
    socket_ = -1;
}

void ConnectionBreaker::breakConnection()
{
    const Locked lock(*this);
    breakLocked();
}

void ConnectionBreaker::batchStarted()
{
    const Locked lock(*this);
    batchStarted_ = Clock::now();
}

void ConnectionBreaker::passEnded()
{
    const Locked lock(*this);
    batchStarted_.reset();
}

bool ConnectionBreaker::breakIfWaitingLongerThan(std::chrono::milliseconds limit)
{
    const Locked lock(*this);
    if (!batchStarted_ || socket_ < 0)
        return false;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *batchStarted_);
    if (waited <= limit)
        return false;
    breakLocked();
    return true;
}

std::optional<std::chrono::milliseconds> ConnectionBreaker::takeBreak()
{
    const Locked lock(*this);
    return std::exchange(brokenAfter_, std::nullopt);
}

void ConnectionBreaker::breakLocked()
{
    if (socket_ < 0)
        return;
    ::shutdown(socket_, SHUT_RDWR);
    brokenAfter_ = batchStarted_
        ? std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *batchStarted_)
        : std::chrono::milliseconds(0);
}
