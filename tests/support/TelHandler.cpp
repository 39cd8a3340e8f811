#include "support/TelHandler.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>

TelHandler::TelHandler(bool registered, Behaviour behaviour)
{
    const QString root = m_dir.path();
    for (const char *folder : {"data/applications", "config", "dirs", "configdirs"})
        QDir().mkpath(root + u'/' + QLatin1String(folder));
    if (!registered)
        return;
    write(QStringLiteral("handler.sh"),
          QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1/addresses.txt'\nsleep %2\nexit %3\n")
              .arg(root)
              .arg(behaviour.seconds)
              .arg(behaviour.exitCode)
              .toUtf8(),
          true);
    write(QStringLiteral("data/applications/farline-test-phone.desktop"),
          QStringLiteral("[Desktop Entry]\nType=Application\nName=Test phone\nNoDisplay=true\n"
                         "Exec=%1/handler.sh %u\nMimeType=x-scheme-handler/tel;\n")
              .arg(root)
              .toUtf8());
    write(QStringLiteral("config/mimeapps.list"),
          "[Default Applications]\nx-scheme-handler/tel=farline-test-phone.desktop\n");
}

void TelHandler::write(const QString &name, const QByteArray &content, bool executable) const
{
    QFile file(writeFile(m_dir.filePath(name), content));
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner);
}

QStringList TelHandler::environment() const
{
    const QString root = m_dir.path();
    return {QStringLiteral("XDG_DATA_HOME=%1/data").arg(root),
            QStringLiteral("XDG_CONFIG_HOME=%1/config").arg(root),
            QStringLiteral("XDG_DATA_DIRS=%1/dirs").arg(root),
            QStringLiteral("XDG_CONFIG_DIRS=%1/configdirs").arg(root),
            QStringLiteral("XDG_CURRENT_DESKTOP="),
            QStringLiteral("DE="),
            QStringLiteral("BROWSER="),
            // xdg-open asks a generic desktop's handlers only when some display is named.
            QStringLiteral("DISPLAY=:farline-test"),
            // No modem of the machine's: the handler gets the calls.
            QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS=unix:path=%1/no-bus").arg(root)};
}

QStringList TelHandler::addresses() const
{
    return QString::fromUtf8(readFile(m_dir.path() + QStringLiteral("/addresses.txt"))).split(u'\n', Qt::SkipEmptyParts);
}

ScopedEnvironment::ScopedEnvironment(const QStringList &variables)
{
    for (const QString &variable : variables) {
        const QByteArray name = variable.section(u'=', 0, 0).toUtf8();
        m_previous.append({name, qEnvironmentVariableIsSet(name.constData())
                                     ? std::optional(qgetenv(name.constData()))
                                     : std::nullopt});
        qputenv(name.constData(), variable.section(u'=', 1).toUtf8());
    }
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto &[name, value] : m_previous) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
}
