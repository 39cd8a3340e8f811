#pragma once

#include <QString>
#include <QStringList>

// The files that appear in a folder, created or renamed into it (as QSaveFile makes an atomic
// write appear), in the order the kernel saw them. Linux inotify.
class DocumentWrites
{
public:
    explicit DocumentWrites(const QString &folder);
    ~DocumentWrites();
    DocumentWrites(const DocumentWrites &) = delete;
    DocumentWrites &operator=(const DocumentWrites &) = delete;

    // The names that appeared since the last call, oldest first; only those ending in `suffix`
    // (which leaves out the temporary files of atomic writes).
    QStringList take(const QString &suffix);

private:
    int m_fd = -1;
};
