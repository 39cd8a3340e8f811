#pragma once

#include <QObject>
#include <QQuickImageProvider>
#include <QUrl>

class Bundle;

// Serves "image://bundle/NAME": the bundle's PNG image NAME, or "image://bundle/system:NAME" the
// system's own tab item, each at the screen's pixel ratio (NAME@2x.png on a 2x screen). Read as
// PNG straight away, without the search through every image format plugin.
class BundleImageProvider : public QQuickImageProvider
{
public:
    explicit BundleImageProvider(const Bundle &bundle);
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    const Bundle &m_bundle;
};

// What the views need of the platform beside the controllers: the bundle's images, and whether
// screens move (the screenshots and the self-test show each state at once).
class WindowSupport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool animated READ animated CONSTANT)

public:
    WindowSupport(const Bundle &bundle, bool animated, QObject *parent = nullptr);

    bool animated() const { return m_animated; }
    // The image `name` of type "png" in the bundle's root folder, or the system's own tab item
    // for "system:Favorites" and "system:More"; empty when there is none, which leaves its place
    // empty.
    Q_INVOKABLE QUrl image(const QString &name) const;

private:
    const Bundle &m_bundle;
    const bool m_animated;
};
