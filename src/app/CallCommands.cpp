// The keypad and the usage mode on the command line, done through the same screen controllers as
// in the window.

#include "app/ApplicationRun.h"
#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "core/KeypadNumber.h"
#include "platform/Console.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"
#include "screens/UseFarlineFor.h"

#include <array>

namespace {
int runCall(const GlobalOptions &options, const QStringList &arguments)
{
    if (arguments.size() != 1)
        return usageError(QStringLiteral("call takes one NUMBER"));
    // Read as every stored number and "tel:" address is, so that what is dialled is what was given.
    const KeypadNumber number = KeypadNumber::read(arguments[0]);
    if (!number.text)
        return usageError(QStringLiteral("call: ") + number.refusal);
    const QString &keys = *number.text;
    if (keys.isEmpty())
        return usageError(QStringLiteral("call: '%1' is not a number the keypad can type").arg(arguments[0]));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        KeypadViewController &keypad = app.keypadViewController();
        keypad.loadView();
        keypad.typeNumber(keys);
        // The window disables the call key on a handset that cannot call; here call placement
        // says so itself.
        return placedCallStatus(app, [&] { keypad.initiateCall(); });
    });
}

int runMode(const GlobalOptions &options, const QStringList &arguments)
{
    static const QStringList rowNames = {QStringLiteral("international"), QStringLiteral("always")};
    if (arguments.size() > 1 || (arguments.size() == 1 && !rowNames.contains(arguments[0])))
        return usageError(QStringLiteral("mode: expected nothing, 'always' or 'international'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        if (!arguments.isEmpty()) {
            app.mainViewController().didSelectRow(0, 1);
            app.mainViewController().usageModeChooser()->didSelectRow(int(rowNames.indexOf(arguments[0])));
        }
        Console::out(app.mainViewController().modeText());
        return 0;
    });
}

constexpr std::array commandList = {
    Command{"call", "NUMBER", "call NUMBER (or a tel: address) as the keypad does (through the access number when due)",
            runCall, [](const QStringList &) { return true; }},
    Command{"mode", "[always | international]", "print or choose when calls go through the access number",
            runMode},
};
} // namespace

std::span<const Command> callCommands() { return commandList; }
