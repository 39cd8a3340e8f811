#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// A desktop application registered for "tel:" links in private XDG folders, as a softphone
// registers itself; it records every address it is given. The variables of environment()
// make xdg-mime and xdg-open find it (and nothing of the machine's own, not its modem).
struct TelHandlerBehaviour
{
    int exitCode = 0;
    double seconds = 0; // how long the handler runs before it exits
};

class TelHandler
{
public:
    using Behaviour = TelHandlerBehaviour;
    // With `registered` false the folders exist but no application handles "tel:".
    explicit TelHandler(bool registered = true, Behaviour behaviour = {});

    QStringList environment() const; // "NAME=value" entries
    QStringList addresses() const;   // what the handler was given, one per run

    // The folders are "data" (XDG_DATA_HOME), "dirs" (XDG_DATA_DIRS), "config" (XDG_CONFIG_HOME)
    // and "configdirs" (XDG_CONFIG_DIRS) in the root.
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // Writes a file at `name` in the root, with its folders.
    void write(const QString &name, const QByteArray &content, bool executable = false) const;

private:
    QTemporaryDir m_dir;
};

// Sets environment variables ("NAME=value") for the life of the object, then restores them.
class ScopedEnvironment
{
public:
    explicit ScopedEnvironment(const QStringList &variables);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_previous;
};
