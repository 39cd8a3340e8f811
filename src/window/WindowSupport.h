#pragma once

#include <QObject>
#include <QUrl>

class Bundle;

// What the views need of the platform beside the controllers: the bundle's images, and whether
// screens move (the screenshots and the self-test show each state at once).
class WindowSupport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool animated READ animated CONSTANT)

public:
    WindowSupport(const Bundle &bundle, bool animated, QObject *parent = nullptr);

    bool animated() const { return m_animated; }
    // The image `name` of type "png" in the bundle's root folder (its 2x twin is found beside
    // it), or the system's own tab item for "system:Favorites" and "system:More"; empty when
    // there is none, which leaves its place empty.
    Q_INVOKABLE QUrl image(const QString &name) const;

private:
    const Bundle &m_bundle;
    const bool m_animated;
};
