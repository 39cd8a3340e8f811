#include "platform/UpdateServer.h"

QString UpdateServer::resolve(const std::optional<QString> &option)
{
    if (option && !option->isEmpty())
        return *option;
    const QString fromEnvironment = qEnvironmentVariable("FARLINE_UPDATE_SERVER");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStringLiteral(FARLINE_UPDATE_SERVER);
}
