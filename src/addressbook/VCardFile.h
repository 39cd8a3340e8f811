#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

// A vCard file this large is not an address book export.
constexpr qint64 maxVCardFileSize = 64 * 1024 * 1024;

// Reads the file at `path` piece by piece, handing each piece to `take` while it answers true.
// The file is opened without waiting, so that a FIFO named like a vCard file cannot hold the
// reading up, and read only when it is a regular file: devices and FIFOs never end. Gives why
// it could not be read whole ("not a regular file", the system's words, "larger than 64 MiB"),
// or none when it was read to its end or `take` stopped.
std::optional<QString> readVCardFile(const QString &path, const std::function<bool(QByteArrayView)> &take);
