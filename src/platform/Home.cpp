#include "platform/Home.h"

#include <QDir>

Home::Home(QString dir)
    : m_dir(QDir::cleanPath(QDir(dir).absolutePath()))
{
}

QString Home::documents() const { return m_dir + QStringLiteral("/Documents"); }

QString Home::documentPath(const QString &fileName) const { return documents() + u'/' + fileName; }

bool Home::ensureDocuments() const { return QDir().mkpath(documents()); }
