#include "historian/Libpq.h"

#include <mutex>
#include <optional>

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

#include <dlfcn.h>

namespace Libpq {
namespace {

template <typename Function>
bool resolve(void* library, const char* name, Function*& function)
{
    function = reinterpret_cast<Function*>(dlsym(library, name));
    return function != nullptr;
}

std::optional<Calls> found()
{
    void* libpq = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
    if (!libpq)
        return std::nullopt;
    Calls c{};
    const bool all = resolve(libpq, "PQconnectStart", c.connectStart) && resolve(libpq, "PQconnectPoll", c.connectPoll)
        && resolve(libpq, "PQstatus", c.status) && resolve(libpq, "PQsocket", c.socket)
        && resolve(libpq, "PQerrorMessage", c.errorMessage) && resolve(libpq, "PQsetErrorVerbosity", c.setErrorVerbosity)
        && resolve(libpq, "PQconnectionNeedsPassword", c.needsPassword) && resolve(libpq, "PQfinish", c.finish);
    // The handle only tells the loader that the library is in use here;
    // the driver's reference keeps it loaded.
    dlclose(libpq);
    return all ? std::optional<Calls>(c) : std::nullopt;
}

// The driver's handle is a PGconn*, which the metatype system names after
// the struct behind the typedef.
const void* connectionOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    const QByteArray type = handle.isValid() ? QByteArray(handle.typeName()) : QByteArray();
    if (type != "pg_conn*" && type != "PGconn*")
        return nullptr;
    return *static_cast<void* const*>(handle.constData());
}

} // namespace

const Calls* calls()
{
    // Looked for again until a driver has loaded libpq.
    static std::mutex mutex;
    static std::optional<Calls> resolved;
    const std::lock_guard lock(mutex);
    if (!resolved)
        resolved = found();
    return resolved ? &*resolved : nullptr;
}

int socketOf(const QSqlDatabase& db)
{
    const Calls* c = calls();
    const void* connection = connectionOf(db);
    return c && connection ? c->socket(connection) : -1;
}

bool connectionLost(const QSqlDatabase& db)
{
    const Calls* c = calls();
    const void* connection = connectionOf(db);
    return c && connection && c->status(connection) == kConnectionBad;
}

} // namespace Libpq
