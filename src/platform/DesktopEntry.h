#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// An application's desktop entry (a ".desktop" file), as the desktop reads it to start the
// application for an address.
class DesktopEntry
{
public:
    // The entry in the file at `path`, known by the desktop file id `id`; none when the file
    // cannot be read as a key file or has no "Desktop Entry" group.
    static std::optional<DesktopEntry> read(const QString &path, const QString &id);

    const QString &id() const { return m_id; }
    const QString &path() const { return m_path; }
    const QStringList &mimeTypes() const { return m_mimeTypes; }
    const QString &workingDirectory() const { return m_workingDirectory; }

    // An application that can be started: Type=Application with an Exec line, not Hidden (which
    // means deleted), and its TryExec program installed when it names one.
    bool isLaunchable() const;

    // The program and its arguments that open `url`: the Exec line with its field codes filled
    // in, split as a shell would; `url` is appended when the line has no place for it. None when
    // the line cannot be split (an unbalanced quote).
    std::optional<QStringList> commandFor(const QString &url) const;

private:
    QString m_id;
    QString m_path;
    QString m_type;
    QString m_exec;
    QString m_tryExec;
    QString m_name;
    QString m_icon;
    QString m_workingDirectory;
    bool m_hidden = false;
    QStringList m_mimeTypes;
};
