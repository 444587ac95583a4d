#pragma once

#include <QSqlDatabase>
#include <QString>

#include "history/HistoryTables.h"

// One named connection to the station's history database. Each owner (the
// recorder, the main window) holds its own, so closing one never pulls the
// other's connection away.
//
// A missing file is created complete (see createHistoryFile). An existing
// file is used exactly as it stands: no table is created or changed, and
// its journal mode is not switched, since that rewrites the file header.
// A file without the two tables, or one that cannot be written, is refused
// with the reason, untouched.
// Created files use WAL; with WAL, synchronous=NORMAL keeps every committed
// transaction through a killed process (only a power cut can cost the last
// few). Files in a rollback journal mode get synchronous=FULL instead.
class HistoryDatabase {
public:
    HistoryDatabase(QString connectionName, QString path);
    ~HistoryDatabase();

    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    // Opens (again): false with errorText() when the file cannot be made,
    // opened or used. Never blocks longer than the short busy time-out.
    bool open();
    void close();
    bool isOpen() const { return open_; }

    QSqlDatabase database() const;
    const QString& connectionName() const { return connectionName_; }
    const QString& path() const { return path_; }
    const HistoryTables::TableLayout& layout() const { return layout_; }
    const QString& errorText() const { return errorText_; }
    const QString& journalMode() const { return journalMode_; }
    bool createdFile() const { return createdFile_; }

    // How long a statement waits for another connection's lock before it
    // fails: short, because every caller runs on the user-interface thread.
    static constexpr int kBusyTimeoutMs = 250;

private:
    bool fail(const QString& reason);
    bool configureConnection(QSqlDatabase& db);

    QString connectionName_;
    QString path_;
    HistoryTables::TableLayout layout_;
    QString errorText_;
    QString journalMode_;
    bool open_ = false;
    bool createdFile_ = false;
};
