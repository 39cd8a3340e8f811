#include "data/DataCommand.h"

#include "platform/Console.h"

#include <QCoreApplication>

namespace {
QString usage()
{
    QString text = QStringLiteral(
        "Usage: farline-data COMMAND [ARGS...]\n"
        "Enciphers and deciphers Farline's data files (\"LANFile.txt\", \"MCCFile.txt\")\n"
        "and writes static update trees that any web server can serve.\n"
        "\n"
        "Commands:\n");
    for (const DataCommand &command : dataCommands()) {
        const QString head = QStringLiteral("  %1 %2").arg(QLatin1String(command.name),
                                                          QLatin1String(command.synopsis));
        // A long synopsis puts the description on a line of its own.
        constexpr int column = 34;
        text += (head.size() > column ? head + u'\n' + QString(column, u' ') : head.leftJustified(column)) + u' '
            + QLatin1String(command.description) + u'\n';
    }
    return text.chopped(1);
}
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == u"--help" || arguments.first() == u"-h") {
        Console::out(usage());
        return arguments.isEmpty() ? 2 : 0;
    }
    const QString name = arguments.takeFirst();
    for (const DataCommand &command : dataCommands()) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(name));
}
