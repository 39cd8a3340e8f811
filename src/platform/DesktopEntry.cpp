#include "platform/DesktopEntry.h"

#include "platform/KeyFile.h"

#include <QStandardPaths>

#include <glib.h>

namespace {
const char *const group = "Desktop Entry";

// `text` quoted for the shell-like splitting of the Exec line.
QString quoted(const QString &text)
{
    gchar *quotedText = g_shell_quote(text.toUtf8().constData());
    const QString result = QString::fromUtf8(quotedText);
    g_free(quotedText);
    return result;
}
}

std::optional<DesktopEntry> DesktopEntry::read(const QString &path, const QString &id)
{
    const std::optional<KeyFile> file = KeyFile::read(path);
    if (!file || !file->hasGroup(group))
        return std::nullopt;
    DesktopEntry entry;
    entry.m_id = id;
    entry.m_path = path;
    entry.m_type = file->string(group, "Type");
    entry.m_exec = file->string(group, "Exec");
    entry.m_tryExec = file->string(group, "TryExec");
    entry.m_name = file->localeString(group, "Name");
    entry.m_icon = file->string(group, "Icon");
    entry.m_workingDirectory = file->string(group, "Path");
    entry.m_hidden = file->boolean(group, "Hidden");
    entry.m_mimeTypes = file->list(group, "MimeType");
    return entry;
}

bool DesktopEntry::isLaunchable() const
{
    if (m_type != u"Application" || m_exec.isEmpty() || m_hidden)
        return false;
    return m_tryExec.isEmpty() || !QStandardPaths::findExecutable(m_tryExec).isEmpty();
}

std::optional<QStringList> DesktopEntry::commandFor(const QString &url) const
{
    // The field codes are filled in as quoted words, then the whole line is split, as GLib's
    // own application launcher does; the line's quoting rules are the shell's double quotes.
    QString line;
    bool urlPlaced = false;
    for (qsizetype i = 0; i < m_exec.size(); ++i) {
        if (m_exec[i] != u'%') {
            line.append(m_exec[i]);
            continue;
        }
        if (++i == m_exec.size())
            break; // a "%" without a code
        switch (m_exec[i].unicode()) {
        case 'u': case 'U': case 'f': case 'F': // one address, for a file or a URL alike
            line.append(quoted(url));
            urlPlaced = true;
            break;
        case 'i':
            if (!m_icon.isEmpty())
                line.append(QStringLiteral("--icon ") + quoted(m_icon));
            break;
        case 'c':
            line.append(quoted(m_name));
            break;
        case 'k':
            line.append(quoted(m_path));
            break;
        case '%':
            line.append(u'%');
            break;
        default: // deprecated and unknown codes stand for nothing
            break;
        }
    }
    if (!urlPlaced)
        line.append(u' ' + quoted(url)); // as xdg-open does for a line without a field code

    gchar **words = nullptr;
    if (!g_shell_parse_argv(line.toUtf8().constData(), nullptr, &words, nullptr))
        return std::nullopt;
    QStringList command;
    for (gchar **word = words; *word; ++word)
        command.append(QString::fromUtf8(*word));
    g_strfreev(words);
    return command;
}
