#pragma once

#include <functional>

#include <QString>

#include "historian/ForwardingFailure.h"

// Opening a connection to the central server, for the forwarder and for
// readers alike: through Qt SQL's QPSQL driver with the libpq connection
// string passed as connection options (libpq finds a password in
// ~/.pgpass or PGPASSFILE), a time-out for connecting and one for each
// statement, and a reason for failure that never quotes a password.
namespace ServerConnection {

struct Timeouts {
    int connectS = 10;
    int statementMs = 30'000;
};

// Opens the Qt SQL connection of this name (made when missing); false with
// the cause and reason otherwise. A trial connection goes first
// (ConnectionTrial): cancelled gives up connecting at once.
bool open(const QString& name, const QString& connection, const Timeouts& timeouts, ForwardingFailure* failure,
          const std::function<bool()>& cancelled = [] { return false; });

// Why a connection string cannot be used, or empty. Qt's driver adds the
// text to keywords of its own, so libpq never reads a URI as one.
QString refusal(const QString& connection);

// Why a connection string given as --historian on a command line is
// refused, or empty: one with a password (every user of the machine sees a
// command line, and autostart entries and shell histories keep it), or one
// refusal() refuses. In the words every program prints after its name.
QString commandLineRefusal(const QString& connection);

} // namespace ServerConnection
