#pragma once

#include <functional>

#include <QList>
#include <QString>

#include "historian/OutboxRows.h"

// One line's instrument as the server keys its samples.
struct HistorianInstrument {
    QString port;
    int address = 0;  // 0: a sample whose instrument the station did not know
};

// Reads a station's period back from the central server: which instruments
// it forwarded, their samples in time order (in chunks, so a month is never
// held whole), and its journal events. Periods are UTC milliseconds, from
// inclusive, to exclusive. Errors are the server's words, never the password.
class HistorianPeriodReader {
public:
    using SampleVisit = std::function<void(const OutboxSample&)>;

    explicit HistorianPeriodReader(QString connection, int chunkRows = 10'000);
    ~HistorianPeriodReader();
    HistorianPeriodReader(const HistorianPeriodReader&) = delete;
    HistorianPeriodReader& operator=(const HistorianPeriodReader&) = delete;

    // Connects and checks the server's schema.
    bool open(QString* error);

    bool hasStation(const QString& station, bool* known, QString* error);
    // Each (port, address) with a sample in the period, in key order.
    bool instruments(const QString& station, qint64 fromUtcMs, qint64 toUtcMs, QList<HistorianInstrument>* found,
                     QString* error);
    // Oldest first; a sample's address is empty when the server keeps 0.
    bool samples(const QString& station, const HistorianInstrument& instrument, qint64 fromUtcMs, qint64 toUtcMs,
                 const SampleVisit& visit, QString* error);
    // The events of the given kinds (journal codes), oldest first; timeUtc
    // in the journal's fixed-width UTC text.
    bool events(const QString& station, const QStringList& kinds, qint64 fromUtcMs, qint64 toUtcMs,
                QList<OutboxEvent>* found, QString* error);

private:
    QString connection_;
    QString connectionName_;
    int chunkRows_;
};
