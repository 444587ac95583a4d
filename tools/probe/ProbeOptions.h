#pragma once

#include <QString>
#include <QStringList>

struct ProbeOptions {
    QString device;
    int baudCode = 1;     // 9600
    int parityCode = 0;   // none
    int address = 1;
    int cycles = 1;       // 0: until ended
    int intervalMs = 500;
    bool version = false;  // --version: print it and do nothing else
    QString help;          // --help: the text to print, and nothing else

    // At most one parameter set action; with one the probe polls nothing.
    enum class SetAction { None, Save, Compare, Load };
    SetAction setAction = SetAction::None;
    QString setFile;
    bool dryRun = false;  // a load prints what it would write, writes nothing
    // The journal a load's writes go to: the one a station on this
    // instrument keeps; empty for the station's default.
    QString journalPath;

    bool writes() const { return setAction == SetAction::Load && !dryRun; }
};

// Parses the command line; on failure returns false with what is wrong in
// error.
bool parseProbeOptions(const QStringList& arguments, ProbeOptions& options, QString& error);
