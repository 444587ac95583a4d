#pragma once

#include <string>
#include <vector>

#include <QTemporaryDir>

#include "support/SimProcess.h"
#include "app/StationOptions.h"

// What a whole-station benchmark needs: the simulator on a pseudo-terminal
// (with the given options), a fresh history file, and the station's
// options for an auto-start on port 1 mapped onto the simulator.
struct StationAgainstSim {
    explicit StationAgainstSim(std::vector<std::string> simArguments)
        : sim(std::move(simArguments))
    {
        options.databasePath = dir.filePath(QStringLiteral("history.sqlite"));
        options.portDevices.setDevice(1, sim.devicePath());
        options.connect = true;
    }

    bool ready() const { return sim.started() && dir.isValid(); }

    SimProcess sim;
    QTemporaryDir dir;
    StationOptions options;
};
