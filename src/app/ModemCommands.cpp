// The modem's view of the SIM card and the network on the command line: asked by the program
// farline-modem, the one that links the D-Bus libraries.

#include "app/Commands.h"
#include "app/SiblingProgram.h"

#include <QCoreApplication>
#include <array>

namespace {
int runModem(const GlobalOptions &, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return usageError(QStringLiteral("modem takes no arguments"));
    return execSibling(QStringLiteral("farline-modem"), QCoreApplication::arguments());
}

constexpr std::array commandList = {
    Command{"modem", "", "print the countries of the modem's SIM card and network (SIM or NETWORK, KEY, name)",
            runModem},
};
} // namespace

std::span<const Command> modemCommands() { return commandList; }
