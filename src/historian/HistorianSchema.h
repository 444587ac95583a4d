#pragma once

#include <optional>

#include <QSqlDatabase>
#include <QString>

#include "historian/ForwardingFailure.h"

// The central server's tables (sql/historian-schema.sql). A station writes
// only to a server whose schema version it knows.
namespace HistorianSchema {

inline constexpr int kVersion = 1;

// The text of sql/historian-schema.sql.
QString text();

// Creates what is missing (as the database's owner); false with the
// server's reason otherwise.
bool apply(const QSqlDatabase& db, ForwardingFailure* failure);

// None when the server holds the schema this station writes, otherwise
// why it is refused.
std::optional<ForwardingFailure> refusal(const QSqlDatabase& db);

} // namespace HistorianSchema
