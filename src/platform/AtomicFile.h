#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// A file replaced whole or not at all: the bytes go into a temporary file beside the target,
// every byte is checked to have reached it (a full disk or a size limit shows as a short write,
// which a buffered write would hide until after the commit), the file is flushed to the disk
// and then renamed over the target in one step. Until then the target stays as it was; a file
// let go without commit() leaves no temporary file behind.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &path);

    // Opens the temporary file, making the target's folder when missing.
    bool open();
    // Appends all of `bytes`; false when they did not all reach the file.
    bool append(QByteArrayView bytes);
    // Flushes the file to the disk and puts it in the target's place.
    bool commit();
    // Why the last step failed, in the system's words ("No space left on device").
    const QString &reason() const { return m_reason; }

    // Writes `bytes` as the whole content of `path`. False when anything failed, with the reason
    // in `reason`; the previous file then stays as it was.
    static bool write(const QString &path, QByteArrayView bytes, QString *reason = nullptr);

private:
    bool fail(const QString &reason);

    static constexpr qint64 flushStep = 1024 * 1024;

    QString m_path;
    QSaveFile m_file;
    qint64 m_unflushed = 0; // appended since the disk was last asked to take what came
    QString m_reason;
};
