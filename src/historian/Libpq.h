#pragma once

#include <QString>

class QSqlDatabase;

// The few libpq calls the station makes itself, found in the libpq that
// Qt's PostgreSQL driver loaded: the station neither links nor needs libpq
// unless it forwards. Each is a no-op answer (-1, false, null) while no
// driver has loaded it.
namespace Libpq {

// The socket of the driver's open connection; -1 when there is none.
int socketOf(const QSqlDatabase& db);
// Whether the driver's connection is gone (closed by the server, broken).
bool connectionLost(const QSqlDatabase& db);

// libpq's own calls, for a connection made without the driver.
struct Calls {
    void* (*connectStart)(const char* conninfo);
    int (*connectPoll)(void* conn);
    int (*status)(const void* conn);
    int (*socket)(const void* conn);
    const char* (*errorMessage)(const void* conn);
    int (*setErrorVerbosity)(void* conn, int verbosity);
    int (*needsPassword)(const void* conn);
    void (*finish)(void* conn);
};
// Null while libpq is not loaded.
const Calls* calls();

// libpq's values of the enums these calls use (libpq-fe.h).
inline constexpr int kConnectionBad = 1;
inline constexpr int kPollingFailed = 0;
inline constexpr int kPollingReading = 1;
inline constexpr int kPollingWriting = 2;
inline constexpr int kPollingOk = 3;
inline constexpr int kErrorsVerbose = 2;

} // namespace Libpq
