#include "app/Commands.h"

#include "platform/Console.h"

#include <vector>

std::span<const Command> commands()
{
    static const std::vector<Command> all = [] {
        // Each command group lives in a file of its own and is listed here, in usage order.
        const std::vector<std::span<const Command>> groups = {
            callCommands(), accessCommands(), contactsCommands(), listsCommands(), updateCommands(), modemCommands()};
        std::vector<Command> commands;
        for (const std::span<const Command> group : groups)
            commands.insert(commands.end(), group.begin(), group.end());
        return commands;
    }();
    return all;
}

bool callAction(const QStringList &arguments) { return arguments.value(0) == u"call"; }

int usageError(const QString &message)
{
    Console::err(QStringLiteral("farline: ") + message);
    return 2;
}
