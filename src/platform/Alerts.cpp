#include "platform/Alerts.h"

#include "platform/Console.h"

void CommandLineAlerts::show(const QString &title, const QString &message, const QStringList &,
                             Answer onAnswer)
{
    QString line = title + QStringLiteral(": ") + message;
    line.replace(u'\n', u' ');
    Console::err(line);
    if (onAnswer)
        onAnswer(0);
}

void CommandLineAlerts::showActionSheet(const QStringList &, int, int cancelButton, Answer onAnswer)
{
    if (onAnswer)
        onAnswer(cancelButton);
}
