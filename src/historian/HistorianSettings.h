#pragma once

#include <QString>

// What the forwarder sends, where it reads it and where it goes.
struct HistorianSettings {
    QString connection;    // libpq connection string; passwords from ~/.pgpass or PGPASSFILE
    QString stationName;   // this station's name on the server
    QString hostName;
    QString port;          // the instrument's line, part of each sample's key
    QString archiveFolder; // the month files
    QString journalPath;   // the event journal; empty when there is none
    QString statePath;     // the confirmed position (HistorianCursor)
    int batchRows = 2000;  // rows per transaction
    int idleMs = 5000;     // between passes once everything is sent
    int firstRetryMs = 1000;
    int maxRetryMs = 60'000;
};
