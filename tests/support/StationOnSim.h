#pragma once

#include <memory>
#include <optional>

#include <QLineEdit>
#include <QTemporaryDir>

#include "core/Clock.h"
#include "mainwindow/LivePanel.h"
#include "link/Poller.h"
#include "link/ModbusFieldbus.h"
#include "widgets/PanelField.h"
#include "support/SimMaster.h"
#include "support/SimProcess.h"
#include "app/Station.h"
#include "support/WaitFor.h"
#include "mainwindow/MainWindow.h"

// The operator's text in place of an entry's, in one edit as a paste makes
// it: an entry that follows the instrument takes it as his command.
inline void typeOver(QLineEdit* entry, const QString& text)
{
    entry->selectAll();
    entry->insert(text);
}

// The whole station in-process on the real libmodbus link, the link opened
// at start as an operator's auto-start does, against tq5800-sim.
class StationOnSim {
public:
    explicit StationOnSim(std::vector<std::string> simArgs)
        : sim_(std::move(simArgs))
    {
        options_.databasePath = dir_.filePath(QStringLiteral("history.sqlite"));
        options_.journalPath = dir_.filePath(QStringLiteral("journal.sqlite"));
        options_.portDevices.setDevice(1, sim_.devicePath());
        options_.connect = true;
        station_ = std::make_unique<Station>(options_, std::make_unique<ModbusFieldbus>(options_.portDevices), clock_);
        QObject::connect(&station_->core().poller(), &Poller::cycleFinished, &station_->core().poller(), [this] { ++cycles_; });
        station_->start();
    }

    bool started() const { return sim_.started(); }
    const SimProcess& sim() const { return sim_; }
    SimProcess& sim() { return sim_; }
    const QString& historyPath() const { return options_.databasePath; }
    const QString& journalPath() const { return options_.journalPath; }
    MainWindow& window() { return *station_->mainWindow(); }
    LivePanel& panel() { return *window().panel(); }
    int cycles() const { return cycles_; }

    // Waits until the field shows the text (the window is up by then).
    bool shows(PanelField* (LivePanel::*field)(int) const, int i, const QString& text, int timeoutMs = 10000)
    {
        return waitFor([&] { return window().isVisible() && (panel().*field)(i)->text() == text; }, timeoutMs);
    }

    // Ends the station, which closes its port: the line is free for a
    // master of the test's own.
    std::optional<SimMaster::Values> readAfterClosing(SimMaster::Table table, int first, int count)
    {
        station_.reset();
        SimMaster master(sim_.devicePath());
        if (!master.connected())
            return std::nullopt;
        return master.read(table, first, count);
    }

private:
    SimProcess sim_;
    QTemporaryDir dir_;
    StationOptions options_;
    SystemClock clock_;
    std::unique_ptr<Station> station_;
    int cycles_ = 0;
};
