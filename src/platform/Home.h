#pragma once

#include <QString>
#include <optional>

// The application's home folder and its "Documents" folder, which holds the data files and
// the archives.
class Home
{
public:
    explicit Home(QString dir);

    // The home to use: the --home option, else $FARLINE_HOME, else the per-user
    // application data folder.
    static Home resolve(const std::optional<QString> &option);

    const QString &dir() const { return m_dir; }
    QString documents() const;
    QString documentPath(const QString &fileName) const;
    // Creates the documents folder when it is missing; false when it cannot be made.
    bool ensureDocuments() const;

private:
    QString m_dir;
};
