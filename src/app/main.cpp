#include "app/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FARLINE_VERSION));
    return runCommandLine(QCoreApplication::arguments());
}
