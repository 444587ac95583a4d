#pragma once

#include <QString>

#include "journal/StoredForms.h"

class QSqlDatabase;
class QSqlError;

// Why forwarding failed: the cause, told apart by the server's error class
// (SQLSTATE) and never by its words, and the reason in English for the
// log, the journal and tooltips.
struct ForwardingFailure {
    using Cause = StoredForms::ForwardingCause;
    Cause cause = Cause::Unknown;
    QString reason;

    // The cause of a SQLSTATE; Unknown for a class not told apart.
    static Cause causeOf(const QString& sqlState);
    // A statement the server refused or a connection lost under it (libpq
    // gives no SQLSTATE for that).
    static ForwardingFailure ofStatement(const QSqlDatabase& db, const QSqlError& error);
};
