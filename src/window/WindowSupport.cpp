#include "window/WindowSupport.h"

#include "platform/Bundle.h"

WindowSupport::WindowSupport(const Bundle &bundle, bool animated, QObject *parent)
    : QObject(parent)
    , m_bundle(bundle)
    , m_animated(animated)
{
}

QUrl WindowSupport::image(const QString &name) const
{
    if (name.startsWith(u"system:"))
        return QUrl(QStringLiteral("qrc:/Farline/Window/images/%1.png").arg(name.mid(7)));
    const auto path = m_bundle.pathForResource(name, QStringLiteral("png"), QStringLiteral("/"));
    if (!path)
        return {};
    return path->startsWith(u':') ? QUrl(QStringLiteral("qrc") + *path) : QUrl::fromLocalFile(*path);
}
