#include "data/DataCommand.h"

#include "platform/Console.h"

#include <array>

std::span<const DataCommand> dataCommands()
{
    static constexpr std::array commands = {
        DataCommand{"encrypt", "PLAIN OUT [--iv HEX32]",
                    "encipher the text file PLAIN into the data file OUT", runEncrypt},
        DataCommand{"decrypt", "FILE", "print the lines of the data file FILE", runDecrypt},
        DataCommand{"publish", "PLAIN --version N --url URL --out DIR [--refuse]",
                    "write a static update tree: DIR/server.php and the enciphered file where URL points",
                    runPublish},
    };
    return commands;
}

int usageError(const QString &message)
{
    Console::err(QStringLiteral("farline-data: ") + message);
    return 2;
}

int failure(const QString &message)
{
    Console::err(QStringLiteral("farline-data: ") + message);
    return 1;
}
