#pragma once

#include <memory>

#include <QObject>

#include "ConfigOpener.h"
#include "Fieldbus.h"
#include "InstrumentLink.h"
#include "Met1.h"
#include "PortConnection.h"
#include "ProcessImage.h"
#include "StationContext.h"
#include "StationOptions.h"
#include "frmSplash.h"
#include "mscom.h"

class Clock;
class ssqx;

// The whole station wired together: the process image, the link thread and
// its poll host, the recorder host and the windows. start() shows the
// splash; at its hand-over the main window is loaded and shown first, then
// the poll host and the recorder host are loaded, in that order.
class Station : public QObject {
    Q_OBJECT

public:
    Station(const StationOptions& options, std::unique_ptr<Fieldbus> fieldbus, const Clock& clock,
            QObject* parent = nullptr);
    // Closes the port and the database in order, whatever state it is in.
    ~Station() override;

    void start();
    // Ends the station: the link is closed, the recorder stops, finished()
    // tells the program to quit. Safe to call more than once.
    void shutdown();

    ProcessImage& image() { return image_; }
    frmSplash& splash() { return splash_; }
    ssqx* mainWindow() const { return window_.get(); }
    Met1& poll() { return poll_; }
    mscom& recorder() { return recorder_; }
    bool hostsLoaded() const { return hostsLoaded_; }

signals:
    void started();   // after the hand-over: main window shown, hosts loaded
    void finished();

private:
    void handOver();

    StationOptions options_;
    ProcessImage image_;
    const Clock& clock_;
    InstrumentLink link_;
    Met1 poll_;
    PortConnection connection_;
    mscom recorder_;
    StationContext context_;
    std::unique_ptr<ssqx> window_;
    std::unique_ptr<ConfigOpener> configOpener_;  // "CONFIG" and the configuration window
    frmSplash splash_;
    bool hostsLoaded_ = false;
    bool shutDown_ = false;
};
