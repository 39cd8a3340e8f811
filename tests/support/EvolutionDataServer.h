#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The real Evolution Data Server on a private session bus, over temporary XDG folders, which
// D-Bus activation hands to EDS with the bus's environment. Contacts are changed through EDS's
// own client (eds_contacts.py), as GNOME Contacts changes them. Needs dbus-daemon,
// evolution-data-server and gir1.2-ebook-1.2.
class EvolutionDataServer
{
public:
    EvolutionDataServer();
    ~EvolutionDataServer();
    EvolutionDataServer(const EvolutionDataServer &) = delete;
    EvolutionDataServer &operator=(const EvolutionDataServer &) = delete;

    // What is missing for it to run here; empty when nothing is.
    const QString &missing() const { return m_missing; }
    // The bus and the XDG folders, "NAME=value", for a program run on it.
    QStringList environment() const;
    // $XDG_DATA_HOME.
    QString dataHome() const { return m_dir.filePath(QStringLiteral("data")); }

    // The UIDs EDS gave the cards added to its built-in address book; none, with a line on
    // standard error, when EDS's client failed.
    QStringList add(const QStringList &vcards);
    void modify(const QStringList &vcards);
    void remove(const QStringList &uids);

private:
    QString change(const QString &action, const QStringList &items);

    QTemporaryDir m_dir;
    QProcess m_bus;
    QString m_address;
    QString m_missing;
};
