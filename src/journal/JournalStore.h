#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/FileProblem.h"
#include "journal/JournalEvent.h"

class Clock;
class QSqlDatabase;
class StationLock;

// How much the journal keeps: the oldest events go first, a few with each
// insert, once either bound is passed.
struct JournalLimits {
    int64_t maxEvents = 1'000'000;
    int maxDays = 730;
    // Events held in memory while the file cannot be written; beyond this the
    // oldest held ones are dropped (and counted).
    int maxHeld = 10'000;
    // How often a file that cannot be written is tried again.
    int retryMs = 5000;
};

// Appends events to the journal file on its own connection, one
// transaction per event (WAL, so a reader never blocks it and a crash never
// loses a committed event). A file that cannot be written is reported once
// per episode and tried again every few seconds; the events meanwhile are
// held in memory and written, in order and once each, when it is back.
// Given a lock, the store takes it whenever it opens the file and does not
// hold it yet; while another station holds it, nothing is written.
class JournalStore : public QObject {
    Q_OBJECT

public:
    static inline const QString kConnectionName = QStringLiteral("tq5800-journal");

    JournalStore(QString path, const Clock& clock, JournalLimits limits = {},
                 QString connectionName = kConnectionName, QObject* parent = nullptr);
    ~JournalStore() override;

    // Opens the file, creating it and its table when missing.
    void open();
    // The lock of the file against a second station; it must outlive the
    // store. Without one nothing is locked.
    void setFileLock(StationLock* lock) { lock_ = lock; }

    // Stamps the event with the clock when it has no time, and writes it
    // (after any held ones), or holds it while the file cannot be written.
    void append(JournalEvent event);

    const QString& path() const { return path_; }
    bool writing() const { return !failingSince_.has_value(); }
    const QString& failure() const { return failure_; }
    // The failure in the operator's terms, where it is known.
    const FileProblem& problem() const { return problem_; }
    std::optional<QDateTime> failingSince() const { return failingSince_; }
    int heldEvents() const { return static_cast<int>(held_.size()); }
    int64_t droppedEvents() const { return dropped_; }

signals:
    // Once when writing fails, when its cause changes and when it works again.
    void healthChanged();
    // After the event is in the file, with its id.
    void appended(const JournalEvent& event);

private:
    struct Failure {
        QString reason;  // empty: none
        FileProblem problem;
    };

    bool openDatabase();
    Failure openConnection();
    // False while another station holds the lock.
    bool claimFile(Failure* failure);
    Failure insert(JournalEvent& event);
    // The reason of a failure, empty on success.
    QString insertAndDropOldest(QSqlDatabase& db, JournalEvent& event);
    // A failure of the connection's last call.
    Failure failureOn(const QSqlDatabase& db, const QString& reason) const;
    void closeDatabase();
    bool writeHeld();
    void resume(int written);
    void retry();
    // Always false, for `return fail(...)`.
    bool fail(const Failure& failure);

    QString path_;
    const Clock& clock_;
    JournalLimits limits_;
    QString connectionName_;
    std::deque<JournalEvent> held_;
    int64_t dropped_ = 0;
    std::optional<QDateTime> failingSince_;
    QString failure_;
    FileProblem problem_;
    StationLock* lock_ = nullptr;
    bool lockFailureLogged_ = false;
    QTimer retryTimer_;
    struct Statements;
    std::unique_ptr<Statements> statements_;
};

// Where the journal lives: journal.sqlite beside the history file unless
// --journal names a path.
namespace JournalPath {
QString resolve(const QString& commandLinePath, const QString& historyPath);
}

// Who does an operator action here: the operating-system user and host.
namespace JournalIdentity {
QString user();
QString host();
}
