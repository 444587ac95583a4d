#include "app/StationPaths.h"

#include "app/StationOptions.h"
#include "archive/ArchivePath.h"
#include "core/FileProblem.h"
#include "core/StationLock.h"
#include "history/DatabasePath.h"
#include "journal/JournalStore.h"

namespace {

QString whatIsWrong(const FileProblem& problem, const QString& path)
{
    using Cause = FileProblem::Cause;
    switch (problem.cause) {
    case Cause::FolderInTheWay: return QStringLiteral("is a folder, not a file");
    case Cause::NotPlainFile: return QStringLiteral("is not a plain file");
    case Cause::FileInTheWay:
        return problem.path == path ? QStringLiteral("is a file, not a folder")
                                    : QStringLiteral("cannot be made: %1 is a file, not a folder").arg(problem.path);
    default: return QStringLiteral("cannot be used");
    }
}

} // namespace

StationPaths StationPaths::of(const StationOptions& options)
{
    StationPaths paths;
    paths.history = DatabasePath::resolve(options.databasePath);
    paths.journal = JournalPath::resolve(options.journalPath, paths.history);
    if (options.archive)
        paths.archiveFolder = ArchivePath::resolve(options.archivePath, paths.history);
    return paths;
}

QString wrongKindOfPath(const StationOptions& options)
{
    using Wanted = FileProblem::Wanted;
    const StationPaths paths = StationPaths::of(options);
    struct Checked {
        QString option;  // as given on the command line; empty for a default
        const char* role;
        QString path;
        Wanted wanted;
    };
    const auto given = [](const QString& value, const char* option) {
        return value.isEmpty() ? QString() : QString::fromLatin1(option);
    };
    const Checked checked[] = {
        {given(options.databasePath, "--db"), "the history file", paths.history, Wanted::File},
        {given(options.journalPath, "--journal"), "the journal", paths.journal, Wanted::File},
        {given(options.archivePath, "--archive"), "the archive folder", paths.archiveFolder, Wanted::Folder},
    };
    for (const Checked& c : checked) {
        if (c.path.isEmpty())
            continue;
        const FileProblem wrong = FileProblem::wrongKind(c.path, c.wanted);
        if (!wrong.known())
            continue;
        const QString named = c.option.isEmpty() ? QString::fromLatin1(c.role) : c.option;
        return QStringLiteral("%1 %2 %3").arg(named, c.path, whatIsWrong(wrong, c.path));
    }
    // The journal would add its table to the history file.
    if (StationLock::pathBeside(paths.journal) == StationLock::pathBeside(paths.history))
        return QStringLiteral("%1 %2 is the history file")
            .arg(options.journalPath.isEmpty() ? QStringLiteral("the journal") : QStringLiteral("--journal"),
                 paths.journal);
    return {};
}
