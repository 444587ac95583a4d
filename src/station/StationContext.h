#pragma once

#include <QString>

class Clock;
class InstrumentLink;
class Poller;
class PortConnection;
class SampleRecorder;
struct ProcessImage;

// What the main window works with, created by the start-up before the
// window: the process image, the clock, the link (for operator writes),
// the poll host (for link health), the port connection, the recorder host
// (for recording health) and the database file both read.
struct StationContext {
    ProcessImage& image;
    const Clock& clock;
    InstrumentLink& link;
    Poller& poll;
    PortConnection& connection;
    SampleRecorder& recorder;
    QString databasePath;
};
