#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <optional>

class QDBusMessage;

// Evolution Data Server's address books (GNOME Contacts and GNOME Calls keep their contacts
// there), asked over the session bus with the few calls Farline needs; Farline never writes to
// them. The interfaces carry EDS's versions, pinned to Debian 12's EDS 3.46 (Sources5,
// AddressBook10): another version, or no EDS, answers like a missing one, with the reason in
// errorText().
class EdsAddressBooks : public QObject
{
    Q_OBJECT

public:
    explicit EdsAddressBooks(QObject *parent = nullptr);

    // Why the last question got no answer.
    const QString &errorText() const { return m_error; }

    // The UIDs of the enabled address books; none when EDS cannot be asked.
    std::optional<QStringList> books();
    // The book's revision, which changes with every change of its contacts; the book is opened
    // at the first question and stays open while this object lives.
    std::optional<QString> revision(const QString &uid);
    // The book's cards that have a phone number, as vCard text.
    std::optional<QStringList> cards(const QString &uid);
    // Follows the book's changes: `changed` is emitted at each addition, change or removal.
    bool watch(const QString &uid);

Q_SIGNALS:
    void changed(const QString &uid);

private Q_SLOTS:
    void viewChanged(const QDBusMessage &message);

private:
    struct Book
    {
        QString service;
        QString path;
    };
    std::optional<Book> open(const QString &uid);
    std::optional<QDBusMessage> call(const QDBusMessage &message);

    QDBusConnection m_bus;
    QHash<QString, Book> m_books;  // by UID, once opened
    QHash<QString, QString> m_views; // view path -> book UID
    QString m_error;
};
