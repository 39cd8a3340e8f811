#include "app/CommandSupport.h"

#include "app/ApplicationRun.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Console.h"

QString outputField(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

QString countryLine(const QString &key, QString name)
{
    if (name.endsWith(u' '))
        name.chop(1); // every display name ends with the space after its last word
    return key + u'\t' + name;
}

std::optional<int> numberArgument(const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber ? std::optional(number) : std::nullopt;
}

int placedCallStatus(FarlineAppDelegate &app, const std::function<void()> &place)
{
    bool accepted = false;
    const QMetaObject::Connection connection =
        QObject::connect(&app, &FarlineAppDelegate::dialled, [&accepted](const QString &address, bool yes) {
            accepted = yes;
            // The window shows nothing then; a script is told why nothing happened.
            if (!yes)
                Console::err(QStringLiteral("farline: the telephone did not take the call %1").arg(address));
        });
    place();
    QObject::disconnect(connection);
    if (const int signalNumber = receivedTerminationSignal(); !accepted && signalNumber)
        return 128 + signalNumber; // the run was asked to end before the call
    return accepted ? 0 : 1;
}
