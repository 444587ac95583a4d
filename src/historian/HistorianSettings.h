#pragma once

#include <QString>

// What the forwarder sends, where it reads it and where it goes.
struct HistorianSettings {
    QString connection;    // libpq connection string; passwords from ~/.pgpass or PGPASSFILE
    QString stationName;   // this station's name on the server
    QString hostName;
    QString port;          // the station's port number (1..20) of the instrument, part of each sample's key
    QString archiveFolder; // the month files
    QString journalPath;   // the event journal; empty when there is none
    QString statePath;     // the confirmed position (HistorianCursor)
    bool initialise = false; // create the server's schema first (as its owner)
    int batchRows = 2000;  // rows per transaction
    int idleMs = 5000;     // between passes once everything is sent
    int firstRetryMs = 1000;
    int maxRetryMs = 60'000;
    // The last pass at stop; stop() waits stopWaitMs for it before it
    // breaks the connection, so the station's exit takes a few seconds at
    // most whatever the server does.
    int finalPassMs = 2000;
    int stopWaitMs = 3000;
    // How often the month files are counted for samples archived behind
    // the position: counting a full month takes about 0.1 s, too much for
    // every pass.
    int recountMs = 300'000;
    // A batch of the default size takes a fraction of a second on a
    // healthy server; one that takes longer is failed by the server itself.
    int connectTimeoutS = 5;
    int statementTimeoutMs = 5000;
    // A server that stops answering altogether cannot time its statements
    // out: a statement waiting this much longer has its connection broken,
    // so the silence is reported within seconds.
    int silenceGraceMs = 2000;
};
