#pragma once

#include <memory>

#include <QObject>
#include <QString>

#include "journal/AlarmJournal.h"
#include "journal/HistoryJournal.h"
#include "journal/LinkJournal.h"
#include "journal/RefusalJournal.h"
#include "journal/StationEnd.h"
#include "journal/WriteJournal.h"

class Clock;
class InstrumentLink;
class InstrumentState;
class JournalSink;
class Poller;
class PortConnection;
class SampleRecorder;

// The journal's sources connected to what they watch: the instrument's
// alarm bits, the link, the operator's writes and the history file (when
// there is one). Refused entries and the station's start and end are told
// here by those who know them.
class StationJournal : public QObject {
    Q_OBJECT

public:
    struct Watched {
        InstrumentState& state;
        InstrumentLink& link;
        Poller& poller;
        PortConnection& connection;
        SampleRecorder* recorder = nullptr;
    };

    StationJournal(JournalSink& sink, const Clock& clock, const Watched& watched, const QString& user,
                   const QString& host, QObject* parent = nullptr);
    ~StationJournal() override;

    void entryRefused() { refusals_.refused(); }
    // Journals first a last run that ended without its exit, as found in
    // the journal at journalPath.
    void stationStarted(const QString& version, const QString& historyPath, const QString& journalPath);
    // Journals the last refusals first; then who ended the station (none
    // said: the program ended by itself).
    void stationExited(const StationEnd& end = {});

private:
    JournalSink& sink_;
    const Clock& clock_;
    const QString host_;
    AlarmJournal alarms_;
    LinkJournal linkEvents_;
    WriteJournal writes_;
    RefusalJournal refusals_;
    std::unique_ptr<HistoryJournal> history_;
};
