#pragma once

#include <QString>

// The application's home folder and its "Documents" folder, which holds the data files and
// the archives.
class Home
{
public:
    explicit Home(QString dir);

    const QString &dir() const { return m_dir; }
    QString documents() const;
    QString documentPath(const QString &fileName) const;
    // Creates the documents folder when it is missing; false when it cannot be made.
    bool ensureDocuments() const;

private:
    QString m_dir;
};
