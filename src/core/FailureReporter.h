#pragma once

#include <QDateTime>
#include <QString>
#include <QtContainerFwd>

class ArchiveFile;
class ArchiveObject;
using ArchiveList = QList<ArchiveObject>;

// Where the screens say what became of their files; the application object implements it by
// showing each message as an alert, so the window shows a dialog and the command line a line
// on standard error.
class FailureReporter
{
public:
    // The texts of one archive: `saveFailed` with %1 the file and %2 the reason,
    // `keptAside` with %1 the kept copy of a damaged file.
    struct ArchiveTexts
    {
        const char *saveFailed;
        const char *keptAside;
    };

    virtual ~FailureReporter() = default;

    // A change that could not be kept: the run ends as a failure.
    virtual void reportFailure(const QString &message) = 0;
    // Something the user should know that lost nothing.
    virtual void reportWarning(const QString &message) = 0;
    // The run's clock, which names the kept copies of damaged files.
    virtual QDateTime now() const = 0;

    // Writes `root` into `file` and says what happened on the way: a damaged file kept aside is
    // a warning, a write that failed a failure (said once while the file keeps failing, as at a
    // change and again at the end of the run). False when the file was not written.
    bool save(ArchiveFile &file, const ArchiveObject &root, const ArchiveTexts &texts);
    bool save(ArchiveFile &file, const ArchiveList &root, const ArchiveTexts &texts);
};
