#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// A damaged file kept for the user to look at or restore, beside it as
// "<file>.damaged-YYYYMMDD-HHMMSS".
namespace DamagedFile {
// Keeps a copy of the file at `path` under that name (`moment`; "-2", "-3"... added when the name
// is taken) and gives its path. The file itself stays where it is, so that nothing is missing when
// what was to replace it cannot be written: the copy is a second name of the same file where the
// file system has them (which needs no room on a full disk), else a copy of the bytes. None, with
// the reason, when neither could be made.
std::optional<QString> keepCopy(const QString &path, const QDateTime &moment, QString *reason);
}
