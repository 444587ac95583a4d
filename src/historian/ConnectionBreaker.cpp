#include "historian/ConnectionBreaker.h"

#include <QSqlDatabase>

#include "historian/Libpq.h"
#include "core/ThreadHandOver.h"

#include <utility>

#include <sys/socket.h>

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
    const int socket = Libpq::socketOf(db);
    const Locked lock(*this);
    socket_ = socket;
    brokenAfter_.reset();
    // The server's silence counts from the connection's first statement,
    // not from the time connecting took.
    if (batchStarted_)
        batchStarted_ = Clock::now();
}

void ConnectionBreaker::detach()
{
    const Locked lock(*this);
    socket_ = -1;
}

void ConnectionBreaker::breakConnection()
{
    const Locked lock(*this);
    breakRequested_ = true;
    breakLocked();
}

bool ConnectionBreaker::breakRequested()
{
    const Locked lock(*this);
    return breakRequested_;
}

void ConnectionBreaker::reset()
{
    const Locked lock(*this);
    breakRequested_ = false;
    batchStarted_.reset();
    brokenAfter_.reset();
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
