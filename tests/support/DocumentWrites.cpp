#include "support/DocumentWrites.h"

#include <QDir>
#include <sys/inotify.h>
#include <unistd.h>

DocumentWrites::DocumentWrites(const QString &folder)
{
    QDir().mkpath(folder);
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0 || inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO) < 0)
        qFatal("cannot watch %s", qPrintable(folder));
}

DocumentWrites::~DocumentWrites() { ::close(m_fd); }

QStringList DocumentWrites::take(const QString &suffix)
{
    QStringList names;
    alignas(inotify_event) char buffer[4096];
    ssize_t length;
    while ((length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        for (const char *at = buffer; at < buffer + length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            const QString name = event->len ? QFile::decodeName(event->name) : QString();
            if (!name.isEmpty() && name.endsWith(suffix))
                names.append(name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    return names;
}
