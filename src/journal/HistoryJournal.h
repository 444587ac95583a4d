#pragma once

#include <optional>

#include <QDateTime>
#include <QString>

class JournalSink;
class RecorderHealth;

// The history file's troubles in the journal: one event when it cannot be
// written (with the reason), one when samples are stored again (with the
// seconds the ring missed meanwhile and whether the archive has them), and
// one each time another file took its path's place.
class HistoryJournal {
public:
    HistoryJournal(JournalSink& sink, QString path);

    // Whenever the recorder's health changes.
    void healthChanged(const RecorderHealth& health);

private:
    JournalSink& sink_;
    QString path_;
    bool failing_ = false;
    std::optional<QDateTime> lastSwitch_;
};
