#pragma once

#include <memory>

#include <QObject>
#include <QPointer>

#include "configwindow/ConfigOpener.h"
#include "app/SplashScreen.h"
#include "app/StationOptions.h"
#include "core/StationLock.h"
#include "link/Fieldbus.h"
#include "station/StationCore.h"

class Clock;
class ExportWindow;
class JournalWindow;
class MainWindow;

// The whole station: its core (instrument state, link thread and poll,
// recorder) and the windows. start() shows the splash; at its
// hand-over the main window is loaded and shown first, then the recorder
// starts (the poll waits for the link to open).
//
// One station per history file, journal, archive folder and serial device:
// the files and the folder are locked from start() to the end (or, when
// their folder cannot be written yet, from their first write), a device
// while its port is open.
class Station : public QObject {
    Q_OBJECT

public:
    Station(const StationOptions& options, std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
            QObject* parent = nullptr);
    // Closes the port and the database in order, whatever state it is in.
    ~Station() override;

    // Refuses, instead, when another station holds the history file, the
    // journal, the archive folder or the device of the --connect port: false, refusal() says why, the splash
    // names the holder for kRefusalShownMs and the station then finishes
    // without having started anything.
    bool start();
    // Ends the station: the link is closed, the recorder stops, the journal
    // notes who ended it, finished() tells the program to quit. Safe to call
    // more than once; the first call's end is the one journaled.
    void shutdown(const StationEnd& end = {});

    StationCore& core() { return core_; }
    SplashScreen& splash() { return splash_; }
    MainWindow* mainWindow() const { return window_.get(); }
    // "事件记录" / F8: shows the journal window, or brings the open one to
    // the front. It reads the file the station's journal writes.
    void openJournal();
    JournalWindow* journalWindow() const;
    // "导出记录" / F9: shows the export dialog, or brings the open one to
    // the front. A new one starts at the period the chart shows (oldest and
    // newest sample) and reads the station's own history file, archive and
    // journal.
    void openExport(const QDateTime& oldest, const QDateTime& newest);
    ExportWindow* exportWindow() const;
    bool hasStarted() const { return started_; }
    // Empty unless start() refused; in English, for standard error.
    const QString& refusal() const { return refusal_; }

    static constexpr int kRefusalShownMs = 8000;

signals:
    void started();   // after the hand-over: main window shown, recorder running
    void finished();

private:
    void handOver();
    // Takes the history file, the journal, the archive folder and the
    // --connect port's device; false with refusal_ and the splash's text set
    // when another station has one.
    bool claim();
    // Takes the locks of the files and the folder; the one another station
    // holds, with every lock released again, or none.
    StationLock* takeLocks();
    void releaseLocks();
    void refuse(const QString& reason, const QString& shownText);

    StationOptions options_;
    // Released after the recorder, the journal and the archive close their files.
    StationLock historyLock_;
    std::unique_ptr<StationLock> journalLock_;  // with a journal
    std::unique_ptr<StationLock> archiveLock_;  // with an archive
    StationCore core_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ConfigOpener> configOpener_;  // "CONFIG" and the configuration window
    QPointer<JournalWindow> journalWindow_;  // while open
    QPointer<ExportWindow> exportWindow_;    // while open
    SplashScreen splash_;
    bool started_ = false;
    bool shutDown_ = false;
    QString refusal_;
};
