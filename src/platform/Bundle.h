#pragma once

#include <QString>
#include <optional>

// The resources that ship with the program: compiled in under ":/bundle", or a folder given
// instead (--bundle). Resources are looked up by name, type and folder; a missing
// one is an ordinary answer (none).
class Bundle
{
public:
    static constexpr auto builtIn = ":/bundle";

    explicit Bundle(QString root = QString::fromLatin1(builtIn));

    const QString &root() const { return m_root; }

    // "name.type" in `directory` of the bundle; an empty directory or "/" is the root folder.
    std::optional<QString> pathForResource(const QString &name, const QString &type,
                                           const QString &directory = {}) const;
    // The whole content of a resource, or none when it is missing or unreadable.
    std::optional<QByteArray> contentsOfResource(const QString &name, const QString &type,
                                                 const QString &directory = {}) const;

private:
    QString m_root;
};
