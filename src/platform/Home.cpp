#include "platform/Home.h"

#include <QDir>
#include <QStandardPaths>

Home::Home(QString dir)
    : m_dir(QDir::cleanPath(QDir(dir).absolutePath()))
{
}

Home Home::resolve(const std::optional<QString> &option)
{
    if (option && !option->isEmpty())
        return Home(*option);
    const QString fromEnvironment = qEnvironmentVariable("FARLINE_HOME");
    if (!fromEnvironment.isEmpty())
        return Home(fromEnvironment);
    return Home(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString Home::documents() const { return m_dir + QStringLiteral("/Documents"); }

QString Home::documentPath(const QString &fileName) const { return documents() + u'/' + fileName; }

bool Home::ensureDocuments() const { return QDir().mkpath(documents()); }
