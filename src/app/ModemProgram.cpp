// farline-modem: `farline modem` once the command line has checked it. It asks ModemManager for
// the countries of the SIM card and of the network and prints them; the application does not
// start, since the modem changes none of its state.

#include "access/CountryList.h"
#include "app/CommandSupport.h"
#include "app/GlobalOptions.h"
#include "app/SiblingProgram.h"
#include "platform/Bundle.h"
#include "platform/Console.h"
#include "platform/Modem.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

namespace {
// Longer than ModemManager takes to answer from its cache, short enough for a script.
constexpr int answerMilliseconds = 2000;

int printModem(const GlobalOptions &options)
{
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

    const QList<CountryList::Entry> countries = CountryList::fromBundle(Bundle(options.bundle));
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
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    const auto launch = siblingLaunch(QStringLiteral("farline-modem"), {QStringLiteral("modem")});
    return launch ? printModem(launch->options) : 2;
}
