#include "platform/KeyFile.h"

#include <QFile>

#include <glib.h>

namespace {
QString taken(gchar *text)
{
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}
}

void KeyFile::Free::operator()(GKeyFile *file) const { g_key_file_free(file); }

std::optional<KeyFile> KeyFile::read(const QString &path)
{
    KeyFile keyFile;
    keyFile.m_file.reset(g_key_file_new());
    if (!g_key_file_load_from_file(keyFile.m_file.get(), QFile::encodeName(path).constData(), G_KEY_FILE_NONE,
                                   nullptr))
        return std::nullopt;
    return keyFile;
}

bool KeyFile::hasGroup(const char *group) const { return g_key_file_has_group(m_file.get(), group); }

QString KeyFile::string(const char *group, const QByteArray &key) const
{
    return taken(g_key_file_get_string(m_file.get(), group, key.constData(), nullptr));
}

QString KeyFile::localeString(const char *group, const QByteArray &key) const
{
    return taken(g_key_file_get_locale_string(m_file.get(), group, key.constData(), nullptr, nullptr));
}

bool KeyFile::boolean(const char *group, const QByteArray &key) const
{
    return g_key_file_get_boolean(m_file.get(), group, key.constData(), nullptr);
}

QStringList KeyFile::list(const char *group, const QByteArray &key) const
{
    gchar **items = g_key_file_get_string_list(m_file.get(), group, key.constData(), nullptr, nullptr);
    QStringList result;
    for (gchar **item = items; item && *item; ++item) {
        if (**item)
            result.append(QString::fromUtf8(*item));
    }
    g_strfreev(items);
    return result;
}
