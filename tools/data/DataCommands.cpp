#include "data/DataCommand.h"

#include "platform/Console.h"

#include <array>

std::span<const DataCommand> dataCommands()
{
    static constexpr std::array commands = {
        DataCommand{"encrypt", "PLAIN OUT [--iv HEX32]",
                    "encipher the text file PLAIN into the data file OUT", runEncrypt},
        DataCommand{"decrypt", "FILE", "print the lines of the data file FILE", runDecrypt},
        DataCommand{"publish", "PLAIN --version N --url URL --out DIR [--refuse] [--sign PRIVATE.pem]",
                    "write a static update tree: DIR/server.php and the enciphered file where URL points; "
                    "with --sign, its signature beside it as FILE.sig",
                    runPublish},
        DataCommand{"keygen", "DIR",
                    "write a new key pair for signing updates: DIR/update-key.pem (private, for --sign) and "
                    "DIR/update-key.pub.pem (public, for FARLINE_UPDATE_PUBLIC_KEY or farline --update-key)",
                    runKeygen},
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
