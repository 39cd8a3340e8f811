#include "core/FailureReporter.h"

#include "platform/ArchiveFile.h"

namespace {
bool said(FailureReporter &reporter, const ArchiveFile &file, const ArchiveFile::Written &written,
          const FailureReporter::ArchiveTexts &texts)
{
    if (written.keptAside)
        reporter.reportWarning(QString::fromUtf8(texts.keptAside).arg(*written.keptAside));
    if (!written.ok && !written.failedBefore)
        reporter.reportFailure(QString::fromUtf8(texts.saveFailed).arg(file.path(), written.reason));
    return written.ok;
}
} // namespace

bool FailureReporter::save(ArchiveFile &file, const ArchiveObject &root, const ArchiveTexts &texts)
{
    return said(*this, file, file.write(root, now()), texts);
}

bool FailureReporter::save(ArchiveFile &file, const ArchiveList &root, const ArchiveTexts &texts)
{
    return said(*this, file, file.write(root, now()), texts);
}
