#pragma once

#include <QString>
#include <QStringList>

// The login's autostart entry for the station (an XDG desktop entry in
// $XDG_CONFIG_HOME/autostart, ~/.config/autostart without it), so a
// control-room PC shows the station once the operator has logged in.
namespace AutostartEntry {

// Where the entry lives.
QString path();

// The Exec value that runs program with arguments: each argument quoted
// where the desktop entry rules ask for it, "%" doubled, and escaped once
// more as the file's string values are.
QString execLine(const QString& program, const QStringList& arguments);

// The whole entry.
QString text(const QString& program, const QStringList& arguments);

// Writes the entry (replacing one there) or removes it. Both return false
// with the reason in message when the file could not be changed; otherwise
// message says what was done.
bool install(const QString& program, const QStringList& arguments, QString& message);
bool remove(QString& message);

} // namespace AutostartEntry
