#include "journalwindow/JournalExport.h"

#include <atomic>

#include <QSaveFile>

#include "journal/JournalCsv.h"
#include "journal/JournalReader.h"

JournalExportResult exportJournal(const QString& journalPath, const JournalFilter& filter, const QString& csvPath)
{
    static std::atomic<int> exports{0};
    JournalExportResult result;
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    JournalReader reader(journalPath, QStringLiteral("tq5800-journal-export-%1").arg(++exports));
    const std::optional<int64_t> written = JournalCsv::writeMatching(file, reader, filter, result.error);
    if (!written) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    result.events = *written;
    return result;
}
