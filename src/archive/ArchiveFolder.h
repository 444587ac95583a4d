#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "archive/PeriodSample.h"
#include "core/FileProblem.h"

// The archive's folder of month files, each on a connection of its own
// (WAL, normal sync: a committed batch survives a killed process), named
// after the prefix, the folder and the month. Opens a month file, with its
// table, when a sample first needs it.
class ArchiveFolder {
public:
    static inline const QString kConnectionPrefix = QStringLiteral("tq5800-archive-");

    explicit ArchiveFolder(QString path, QString connectionPrefix = kConnectionPrefix);
    ~ArchiveFolder();

    ArchiveFolder(const ArchiveFolder&) = delete;
    ArchiveFolder& operator=(const ArchiveFolder&) = delete;

    struct Written {
        int committed = 0;  // leading samples now in their files
        int repeated = 0;   // of those, ones whose moment was archived already: not written
        QString error;      // why the rest was not
        FileProblem problem;  // the same in the operator's terms, where known
    };
    // Writes the samples in order, one transaction for each run of samples
    // of the same month. A moment already in the file keeps what it has.
    Written write(const std::vector<PeriodSample>& samples);

    // Makes the folder when it is missing; false with the reason when it
    // cannot be made.
    bool make(QString* error, FileProblem* problem);

    // The newest moment archived; empty when there is none (or on error).
    std::optional<int64_t> newestUtcMs(QString* error, FileProblem* problem);

    // The month files present, oldest first ("2026-11.sqlite", ...).
    QStringList monthFiles() const;
    // Removes the files of months before firstKept ("yyyy-MM"); their names.
    QStringList removeMonthsBefore(const QString& firstKept);

    void closeAll();
    const QString& path() const { return path_; }

private:
    struct MonthFile;
    MonthFile* monthFile(const QString& fileName, QString* error, FileProblem* problem);
    void close(const QString& fileName);

    QString path_;
    QString connectionPrefix_;
    std::map<QString, std::unique_ptr<MonthFile>> open_;
};
