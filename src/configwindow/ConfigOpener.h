#pragma once

#include <QObject>
#include <QPointer>

class ConfigWindow;
class QAbstractButton;
class QMainWindow;
class StationCore;

// The "CONFIG" command: a fresh configuration window takes the main
// window's place, and " Esc 返回" brings the main window back. The main
// window is only hidden meanwhile, so its timers, the poll and the recorder
// go on. At most one configuration window is open at a time. A write the
// configuration window leaves unanswered, and an entry " Esc 返回" refused,
// are reported in the main window's status bar, since the configuration
// window is closed by then.
class ConfigOpener : public QObject {
    Q_OBJECT

public:
    ConfigOpener(StationCore& core, QMainWindow& mainWindow, QAbstractButton& configurationButton,
                 QObject* parent = nullptr);
    ~ConfigOpener() override;

    // Opens the configuration window, or brings the open one to the front.
    void openConfiguration();

    // The open configuration window, or nullptr.
    ConfigWindow* window() const;

    // For the station's shutdown: closes an open configuration window
    // without writing what it holds and without showing the main window.
    void closeWindow();

private:
    StationCore& core_;
    QMainWindow& main_;
    QPointer<ConfigWindow> window_;
};
