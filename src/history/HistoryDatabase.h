#pragma once

#include <optional>

#include <QSqlDatabase>
#include <QString>

#include "core/FileProblem.h"
#include "history/HistoryFileIdentity.h"
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
//
// The connection stays with the file it opened even when that file is
// deleted or another one is renamed over the path, so each owner asks
// followFileAtPath() before it uses the connection.
// All connections live on the user-interface thread.
class HistoryDatabase {
public:
    enum class FileChange {
        None,
        Replaced,   // another file is at the path now
        Recreated,  // the file was deleted; the path holds a new one (or none)
    };

    HistoryDatabase(QString connectionName, QString path);
    ~HistoryDatabase();

    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    // Opens (again): false with errorText() when the file cannot be made,
    // opened or used. Never blocks longer than the short busy time-out.
    bool open();
    void close();
    bool isOpen() const { return open_; }

    // Compares the file at the path now with the one opened (one stat());
    // when it is another file or none, opens the path again and says what
    // changed. Before that, every connection of this process to the old
    // file is closed and its WAL folded into it, so none of the old file's
    // pages can be taken for the new one's. A connection closed so by
    // another reports the change at its own next call. Check isOpen()
    // after a change.
    FileChange followFileAtPath();

    QSqlDatabase database() const;
    const QString& connectionName() const { return connectionName_; }
    const QString& path() const { return path_; }
    const HistoryTables::TableLayout& layout() const { return layout_; }
    const QString& errorText() const { return errorText_; }
    // The last failure of open() in the operator's terms; Unknown when
    // only errorText() can say.
    const FileProblem& problem() const { return problem_; }
    const QString& journalMode() const { return journalMode_; }
    bool createdFile() const { return createdFile_; }

    // How long a statement waits for another connection's lock before it
    // fails: short, because every caller runs on the user-interface thread.
    static constexpr int kBusyTimeoutMs = 250;

private:
    // Always false, for `return fail(...)`.
    bool fail(const QString& reason, const FileProblem& problem);
    // A failure of the open connection's last SQLite call.
    bool failOnConnection(const QString& reason);
    bool configureConnection(QSqlDatabase& db);
    void leaveMovedFile(FileChange change);
    void foldJournalIntoFile();

    QString connectionName_;
    QString path_;
    HistoryTables::TableLayout layout_;
    QString errorText_;
    FileProblem problem_;
    QString journalMode_;
    bool open_ = false;
    bool createdFile_ = false;
    std::optional<HistoryFileIdentity> identity_;  // of the file opened
    FileChange movedAway_ = FileChange::None;      // closed by another connection for this
};
