// The modem's view of the SIM card and the network on the command line.

#include "access/CountryList.h"
#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "platform/Bundle.h"
#include "platform/Console.h"
#include "platform/Modem.h"

#include <QEventLoop>
#include <algorithm>
#include <array>

namespace {
// Longer than ModemManager takes to answer from its cache, short enough for a script.
constexpr int answerMilliseconds = 2000;

// The application does not start: the modem changes none of its state.
int runModem(const GlobalOptions &options, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return usageError(QStringLiteral("modem takes no arguments"));
    Modem modem;
    QEventLoop wait;
    QObject::connect(&modem, &Modem::changed, &wait, &QEventLoop::quit);
    modem.start(answerMilliseconds);
    if (!modem.isAnswered())
        wait.exec();
    if (!modem.modemFound()) {
        Console::out(QStringLiteral("No modem found"));
        return 1;
    }

    const QList<CountryList::Entry> countries = CountryList::fromBundle(Bundle::resolve(options.bundle));
    const auto line = [&](const char *what, const std::optional<QString> &key) {
        QString name;
        if (key) {
            const auto country = std::find_if(countries.begin(), countries.end(),
                                              [&](const CountryList::Entry &entry) { return entry.key == *key; });
            if (country != countries.end())
                name = country->name;
        }
        Console::out(QLatin1String(what) + u'\t' + countryLine(key.value_or(QString()), name));
    };
    line("SIM", modem.simCountryKey());
    line("NETWORK", modem.networkCountryKey());
    return 0;
}

constexpr std::array commandList = {
    Command{"modem", "", "print the countries of the modem's SIM card and network (SIM or NETWORK, KEY, name)",
            runModem},
};
} // namespace

std::span<const Command> modemCommands() { return commandList; }
