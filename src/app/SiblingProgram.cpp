#include "app/SiblingProgram.h"

#include "platform/Console.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {
// Beside this program in the build tree; in the private program folder once installed.
QString programPath(const QString &program)
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {here + u'/' + program, here + QStringLiteral("/../libexec/farline/") + program}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}
}

int execSibling(const QString &program, const QStringList &arguments)
{
    const QString path = programPath(program);
    if (path.isEmpty()) {
        Console::err(QStringLiteral("farline: %1 is not installed beside farline").arg(program));
        return 1;
    }
    std::vector<QByteArray> encoded{QFile::encodeName(path)};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        encoded.push_back(QFile::encodeName(arguments[i]));
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    Console::err(QStringLiteral("farline: cannot start %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    return 1;
}

std::optional<Launch> siblingLaunch(const QString &program, const QStringList &commands)
{
    const auto launch = parseLaunch(QCoreApplication::arguments());
    const Launch *parsed = std::get_if<Launch>(&launch);
    if (parsed && commands.contains(parsed->command.join(u' ')))
        return *parsed;
    Console::err(QStringLiteral("%1: run it as 'farline %2'").arg(program, commands.join(QStringLiteral("' or 'farline "))));
    return std::nullopt;
}
