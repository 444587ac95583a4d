#pragma once

#include <cstdint>

#include <QDateTime>
#include <QString>
#include <QStringList>

class JournalSink;

// The archive's troubles in the journal: one event when its month files
// cannot be written (with the reason), one when a batch is written again,
// saying how many samples the full queue lost meanwhile, and one for each
// month file the retention removed. The ring goes on
// either way, so the archive's episodes are not the history file's.
class ArchiveJournal {
public:
    ArchiveJournal(JournalSink& sink, QString folder);

    // The archive has failed since `since`; repeated calls in one episode
    // journal nothing more.
    void failing(const QDateTime& since, const QString& reason);
    // A batch reached its month file; droppedSamples counts since the start.
    void writing(const QDateTime& at, int64_t droppedSamples);
    // The retention removed these month files: one event each, naming it.
    void removed(const QDateTime& at, const QStringList& files, int keepMonths);

private:
    JournalSink& sink_;
    QString folder_;
    bool failing_ = false;
    int64_t droppedBefore_ = 0;  // the count when the episode began
};
