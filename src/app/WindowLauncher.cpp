#include "app/WindowLauncher.h"

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
QString windowProgram()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {here + QStringLiteral("/farline-window"),
                                     here + QStringLiteral("/../libexec/farline/farline-window")}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}
}

int openWindow(const QStringList &arguments)
{
    const QString program = windowProgram();
    if (program.isEmpty()) {
        Console::err(QStringLiteral("farline: the dialer window is not installed; 'farline --help' lists the commands"));
        return 1;
    }
    std::vector<QByteArray> encoded{QFile::encodeName(program)};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        encoded.push_back(QFile::encodeName(arguments[i]));
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    Console::err(QStringLiteral("farline: cannot start %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(errno))));
    return 1;
}
