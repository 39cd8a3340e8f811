#include "platform/Bundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Bundle::Bundle(QString root)
    : m_root(root.startsWith(u':') ? root : QDir(root).absolutePath())
{
}

std::optional<QString> Bundle::pathForResource(const QString &name, const QString &type,
                                               const QString &directory) const
{
    if (name.isEmpty() || name.contains(u'/') || type.contains(u'/'))
        return std::nullopt;
    QString folder = m_root;
    const QString relative = QDir::cleanPath(directory);
    if (!directory.isEmpty() && relative != u"/" && relative != u".") {
        if (relative.startsWith(u"..") || relative.contains(u"/../"))
            return std::nullopt; // never outside the bundle
        folder += u'/' + (relative.startsWith(u'/') ? relative.mid(1) : relative);
    }
    const QString fileName = type.isEmpty() ? name : name + u'.' + type;
    const QFileInfo info(folder + u'/' + fileName);
    if (!info.exists() || info.isDir())
        return std::nullopt;
    return info.filePath();
}

std::optional<QByteArray> Bundle::contentsOfResource(const QString &name, const QString &type,
                                                     const QString &directory) const
{
    const auto path = pathForResource(name, type, directory);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
