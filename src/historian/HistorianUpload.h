#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include "historian/ForwardingFailure.h"
#include "historian/OutboxRows.h"

// Writing rows to the central server. Each call is one transaction; rows the
// server holds already are left as they are, so a batch sent again after an
// outage (its commit unconfirmed) changes nothing.
namespace HistorianUpload {

// Adds the station, or marks it seen now.
bool registerStation(QSqlDatabase& db, const QString& station, const QString& host, ForwardingFailure* failure);
bool sendSamples(QSqlDatabase& db, const QString& station, const QString& port, const QList<OutboxSample>& samples,
                 ForwardingFailure* failure);
bool sendEvents(QSqlDatabase& db, const QString& station, const QList<OutboxEvent>& events, ForwardingFailure* failure);

} // namespace HistorianUpload
