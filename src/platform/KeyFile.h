#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

typedef struct _GKeyFile GKeyFile;

// A freedesktop key file (a desktop entry, mimeapps.list, mimeinfo.cache), read with GLib's
// parser, which knows the format's escapes, lists and localised keys. Qt Core loads GLib
// already, so this costs the program no further library.
class KeyFile
{
public:
    // None when the file is missing or not a key file.
    static std::optional<KeyFile> read(const QString &path);

    bool hasGroup(const char *group) const;
    QString string(const char *group, const QByteArray &key) const; // empty when missing
    QString localeString(const char *group, const QByteArray &key) const; // in the user's language
    bool boolean(const char *group, const QByteArray &key) const;   // false when missing
    QStringList list(const char *group, const QByteArray &key) const; // ";"-separated, no empty items

private:
    struct Free
    {
        void operator()(GKeyFile *file) const;
    };
    std::unique_ptr<GKeyFile, Free> m_file;
};
