#include "addressbook/EdsAddressBooks.h"

#include "log/Log.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <glib.h>

namespace {
const QString sourcesService = QStringLiteral("org.gnome.evolution.dataserver.Sources5");
const QString sourceManagerPath = QStringLiteral("/org/gnome/evolution/dataserver/SourceManager");
const QString sourceInterface = QStringLiteral("org.gnome.evolution.dataserver.Source");
const QString booksService = QStringLiteral("org.gnome.evolution.dataserver.AddressBook10");
const QString factoryPath = QStringLiteral("/org/gnome/evolution/dataserver/AddressBookFactory");
const QString factoryInterface = QStringLiteral("org.gnome.evolution.dataserver.AddressBookFactory");
const QString bookInterface = QStringLiteral("org.gnome.evolution.dataserver.AddressBook");
const QString viewInterface = QStringLiteral("org.gnome.evolution.dataserver.AddressBookView");
const QString withNumbers = QStringLiteral("(exists \"tel\")");
// EDS starts on the first question, which takes a few seconds on a phone.
constexpr int answerMs = 20000;

// A source's key-file text: an address book that is enabled.
bool isEnabledAddressBook(const QString &data)
{
    GKeyFile *file = g_key_file_new();
    const QByteArray text = data.toUtf8();
    bool book = false;
    if (g_key_file_load_from_data(file, text.constData(), gsize(text.size()), G_KEY_FILE_NONE, nullptr)) {
        GError *error = nullptr;
        const gboolean enabled = g_key_file_get_boolean(file, "Data Source", "Enabled", &error);
        book = g_key_file_has_group(file, "Address Book") && (enabled || error);
        g_clear_error(&error);
    }
    g_key_file_free(file);
    return book;
}
} // namespace

EdsAddressBooks::EdsAddressBooks(QObject *parent)
    : QObject(parent)
    , m_bus(QDBusConnection::sessionBus())
{
}

std::optional<QDBusMessage> EdsAddressBooks::call(const QDBusMessage &message)
{
    if (!m_bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        qCInfo(lcContacts).noquote() << "Evolution Data Server cannot be asked:" << m_error;
        return std::nullopt;
    }
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, answerMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return reply;
    m_error = reply.errorName() == u"org.freedesktop.DBus.Error.ServiceUnknown"
                  ? QStringLiteral("Evolution Data Server %1 is not on the session bus").arg(message.service())
                  : QStringLiteral("Evolution Data Server did not answer %1: %2").arg(message.member(), reply.errorMessage());
    qCInfo(lcContacts).noquote() << m_error;
    return std::nullopt;
}

std::optional<QStringList> EdsAddressBooks::books()
{
    const auto reply = call(QDBusMessage::createMethodCall(sourcesService, sourceManagerPath,
                                                           QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                                                           QStringLiteral("GetManagedObjects")));
    if (!reply)
        return std::nullopt;
    QStringList uids;
    const QDBusArgument objects = reply->arguments().value(0).value<QDBusArgument>();
    objects.beginMap();
    while (!objects.atEnd()) {
        QDBusObjectPath path;
        QMap<QString, QVariantMap> interfaces;
        objects.beginMapEntry();
        objects >> path >> interfaces;
        objects.endMapEntry();
        const QVariantMap source = interfaces.value(sourceInterface);
        if (isEnabledAddressBook(source.value(QStringLiteral("Data")).toString()))
            uids.append(source.value(QStringLiteral("UID")).toString());
    }
    objects.endMap();
    uids.sort();
    qCDebug(lcContacts) << "Evolution Data Server's address books:" << uids;
    return uids;
}

std::optional<EdsAddressBooks::Book> EdsAddressBooks::open(const QString &uid)
{
    if (const auto open = m_books.constFind(uid); open != m_books.constEnd())
        return *open;
    QDBusMessage factory = QDBusMessage::createMethodCall(booksService, factoryPath, factoryInterface,
                                                          QStringLiteral("OpenAddressBook"));
    factory << uid;
    const auto opened = call(factory);
    if (!opened)
        return std::nullopt;
    const Book book{opened->arguments().value(1).toString(), opened->arguments().value(0).toString()};
    if (!call(QDBusMessage::createMethodCall(book.service, book.path, bookInterface, QStringLiteral("Open"))))
        return std::nullopt;
    m_books.insert(uid, book);
    return book;
}

std::optional<QString> EdsAddressBooks::revision(const QString &uid)
{
    const auto book = open(uid);
    if (!book)
        return std::nullopt;
    QDBusMessage get = QDBusMessage::createMethodCall(book->service, book->path,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << bookInterface << QStringLiteral("Revision");
    const auto reply = call(get);
    if (!reply)
        return std::nullopt;
    return reply->arguments().value(0).value<QDBusVariant>().variant().toString();
}

std::optional<QStringList> EdsAddressBooks::cards(const QString &uid)
{
    const auto book = open(uid);
    if (!book)
        return std::nullopt;
    QDBusMessage list = QDBusMessage::createMethodCall(book->service, book->path, bookInterface,
                                                       QStringLiteral("GetContactList"));
    list << withNumbers;
    const auto reply = call(list);
    if (!reply)
        return std::nullopt;
    return reply->arguments().value(0).toStringList();
}

bool EdsAddressBooks::watch(const QString &uid)
{
    const auto book = open(uid);
    if (!book)
        return false;
    QDBusMessage getView = QDBusMessage::createMethodCall(book->service, book->path, bookInterface, QStringLiteral("GetView"));
    getView << withNumbers;
    const auto reply = call(getView);
    if (!reply)
        return false;
    const QString view = reply->arguments().value(0).value<QDBusObjectPath>().path();
    for (const char *signal : {"ObjectsAdded", "ObjectsModified", "ObjectsRemoved"})
        m_bus.connect(book->service, view, viewInterface, QLatin1String(signal), this, SLOT(viewChanged(QDBusMessage)));
    m_views.insert(view, uid);
    // Only what changes from now on: the book as it is was read by the sync.
    QDBusMessage flags = QDBusMessage::createMethodCall(book->service, view, viewInterface, QStringLiteral("SetFlags"));
    flags << 0u;
    return call(flags) && call(QDBusMessage::createMethodCall(book->service, view, viewInterface, QStringLiteral("Start")));
}

void EdsAddressBooks::viewChanged(const QDBusMessage &message)
{
    const QString uid = m_views.value(message.path());
    qCDebug(lcContacts).noquote() << "Evolution Data Server:" << message.member() << "in" << uid;
    Q_EMIT changed(uid);
}
