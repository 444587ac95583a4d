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
    int finalPassMs = 5000;  // the last pass at stop
    // How often the month files are counted for samples archived behind
    // the position: counting a full month takes about 0.1 s, too much for
    // every pass.
    int recountMs = 300'000;
    // stop() waits this long for the last pass before it breaks a
    // connection the server no longer answers on.
    int stopWaitMs = 10'000;
    // A server that stops answering fails the pass after this rather than
    // holding the forwarder (and the station's exit) for ever.
    int connectTimeoutS = 10;
    int statementTimeoutMs = 30'000;
    // A server that stops answering altogether cannot time its statements
    // out: a batch waiting this much longer has its connection broken.
    int silenceGraceMs = 15'000;
};
