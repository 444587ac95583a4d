#pragma once

#include <QString>

class Clock;
class InstrumentLink;
class Met1;
class PortConnection;
class mscom;
struct ProcessImage;

// What the main window works with, created by the start-up before the
// window: the process image, the clock, the link (for operator writes),
// the poll host (for link health), the port connection, the recorder host
// (for recording health) and the database file both read.
struct StationContext {
    ProcessImage& image;
    const Clock& clock;
    InstrumentLink& link;
    Met1& poll;
    PortConnection& connection;
    mscom& recorder;
    QString databasePath;
};
