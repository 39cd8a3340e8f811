#include "window/WindowSupport.h"

#include "platform/Bundle.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

WindowSupport::WindowSupport(const Bundle &bundle, bool animated, QObject *parent)
    : QObject(parent)
    , m_bundle(bundle)
    , m_animated(animated)
{
}

namespace {
constexpr auto systemPrefix = u"system:";

// The file of image `name` at `scale` (1 or 2), or none.
std::optional<QString> imagePath(const Bundle &bundle, const QString &name, int scale)
{
    const QString file = scale > 1 ? name + QStringLiteral("@2x") : name;
    if (name.startsWith(systemPrefix)) {
        const QString path = QStringLiteral(":/Farline/Window/images/%1.png").arg(file.mid(7));
        return QFile::exists(path) ? std::optional(path) : std::nullopt;
    }
    return bundle.pathForResource(file, QStringLiteral("png"), QStringLiteral("/"));
}
}

BundleImageProvider::BundleImageProvider(const Bundle &bundle)
    : QQuickImageProvider(QQuickImageProvider::Image)
    , m_bundle(bundle)
{
}

QImage BundleImageProvider::requestImage(const QString &id, QSize *size, const QSize &)
{
    const int scale = qGuiApp->devicePixelRatio() > 1 ? 2 : 1;
    auto path = imagePath(m_bundle, id, scale);
    if (!path && scale > 1)
        path = imagePath(m_bundle, id, 1);
    QImage image;
    if (path) {
        QImageReader reader(*path, "png");
        reader.setAutoDetectImageFormat(false); // no plugin needs asking
        reader.read(&image);
    }
    if (size)
        *size = image.size();
    return image;
}

QUrl WindowSupport::image(const QString &name) const
{
    if (!imagePath(m_bundle, name, 1))
        return {};
    return QUrl(QStringLiteral("image://bundle/") + name);
}
