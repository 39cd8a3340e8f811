#pragma once

#include <QByteArrayView>
#include <QString>

// Files replaced whole or not at all: the bytes go into a temporary file beside the target,
// every byte is checked to have reached it (a full disk or a size limit shows as a short
// write, which a buffered write would hide until after the commit), it is flushed to disk and
// then renamed over the target in one step.
namespace AtomicFile {
// Writes `bytes` to `path`, making its folder when missing. False when anything failed, with
// the reason in `reason` (the system's words, "No space left on device"); the previous file
// then stays as it was and no temporary file is left behind.
bool write(const QString &path, QByteArrayView bytes, QString *reason = nullptr);
}
