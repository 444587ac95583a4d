#pragma once

#include <QString>

// Who ended the station, as the journal's "station.exited" keeps it: the
// origin names the way (the main window's confirmed "退出", or a
// termination signal), the user the account that asked.
struct StationEnd {
    // The operator confirmed "退出" in the main window, under the account
    // the station runs as.
    static StationEnd byOperator(const QString& user);
    // A termination signal; senderPid 0 when no process sent it (a
    // terminal's Ctrl-C), and then the account is not known.
    static StationEnd bySignal(const QString& signalName, qint64 senderPid, const QString& senderUser);

    QString origin;  // "main window" (WriteOrigin), "SIGTERM", "SIGINT"; empty when the program ended by itself
    QString user;    // empty when not known
    QString text;    // the process that sent a signal (StoredForms::signalSender)
};
