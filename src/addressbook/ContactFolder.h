#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ContactMirror;

// The KDE contacts folder, where KPeople's vCard backend keeps the contacts of Plasma Mobile and
// KDE Connect puts a phone's: one card per *.vcf or *.vcard file, in the folder or any folder
// below it (a folder reached twice through symbolic links is read once). The file is the
// contact: its path in the folder is its key in the mirror.
class ContactFolder
{
public:
    // "$XDG_DATA_HOME/kpeoplevcard".
    static QString defaultPath();

    explicit ContactFolder(QString path);
    const QString &path() const { return m_path; }

    // Reads the folder into `mirror`; a file is read again only when its time, size or inode
    // changed. A card that cannot be read is named through `report` ("FILE:LINE: reason;
    // skipped", "FILE: cannot read: reason", "FILE: no vCard in this file") and its person, if it
    // had one, stays as it was. Gives why the folder cannot be read; the mirror is then left.
    std::optional<QString> read(ContactMirror &mirror, const std::function<void(const QString &)> &report) const;
    // False when the book refused a write during the last read().
    bool refused() const { return m_refused; }
    // The folders and card files the last read() went through, for a watcher.
    const QStringList &folders() const { return m_folders; }
    const QStringList &files() const { return m_files; }

private:
    struct Card;
    std::optional<QString> list(QList<Card> &cards) const;

    QString m_path;
    mutable QStringList m_folders;
    mutable QStringList m_files;
    mutable bool m_refused = false;
};
