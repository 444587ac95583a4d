#include "historian/ConnectionBreaker.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

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
    const std::lock_guard lock(mutex_);
    socket_ = socket;
}

void ConnectionBreaker::detach()
{
    const std::lock_guard lock(mutex_);
    socket_ = -1;
}

void ConnectionBreaker::breakConnection()
{
    const std::lock_guard lock(mutex_);
    if (socket_ >= 0)
        ::shutdown(socket_, SHUT_RDWR);
}
