#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "app/ListsSession.h"
#include "core/CommonOperations.h"
#include "lists/FavoriteRecord.h"
#include "platform/AddressBook.h"
#include "platform/Console.h"
#include "platform/VCardImporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A vCard file this large is not an address book export.
constexpr qint64 maxVCardFileSize = 64 * 1024 * 1024;

// The .vcf files named: files as they are, folders for every .vcf directly in them, by name.
std::optional<QStringList> vcardFiles(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QDir dir(path);
            dir.setNameFilters({QStringLiteral("*.vcf"), QStringLiteral("*.VCF"), QStringLiteral("*.Vcf")});
            dir.setFilter(QDir::Files); // an unreadable one is named when it is read
            dir.setSorting(QDir::Name);
            for (const QFileInfo &file : dir.entryInfoList())
                files.append(file.filePath());
        } else if (info.exists()) {
            files.append(path);
        } else {
            usageError(QStringLiteral("contacts import: no such file or folder: %1").arg(path));
            return std::nullopt;
        }
    }
    return files;
}

std::optional<QByteArray> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Console::err(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > maxVCardFileSize) {
        Console::err(QStringLiteral("%1: cannot read: larger than 64 MiB").arg(path));
        return std::nullopt;
    }
    return file.readAll();
}

bool openFailed(AddressBook &addressBook)
{
    if (addressBook.isOpen())
        return false;
    Console::err(QStringLiteral("farline: ") + addressBook.errorText());
    return true;
}

int importContacts(const GlobalOptions &options, const QStringList &paths)
{
    if (paths.isEmpty())
        return usageError(QStringLiteral("contacts import: name at least one .vcf file or folder"));
    const auto files = vcardFiles(paths);
    if (!files)
        return 2;
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        ListsSession session(app);
        AddressBook &addressBook = session.addressBook();
        if (openFailed(addressBook))
            return 1;
        VCardImporter importer(addressBook, [](const QString &line) { Console::err(line); });
        bool everyFileRead = true;
        for (const QString &path : *files) {
            const auto bytes = readFile(path);
            if (!bytes) {
                everyFileRead = false;
                continue;
            }
            if (!importer.importFile(path, *bytes))
                break;
        }
        if (!importer.commit()) {
            Console::err(QStringLiteral("farline: nothing imported: the address book could not be written: ")
                         + importer.errorText());
            return 1;
        }
        Console::out(QStringLiteral("imported %1, updated %2, skipped %3")
                         .arg(importer.imported())
                         .arg(importer.updated())
                         .arg(importer.skipped()));
        return everyFileRead ? 0 : 1;
    });
}

int listContacts(const GlobalOptions &options)
{
    return runWithApplication(options, [](FarlineAppDelegate &app) {
        ListsSession session(app);
        if (openFailed(session.addressBook()))
            return 1;
        for (const Person &person : session.addressBook().allPeople()) {
            QString line = QString::number(person.recordID) + u'\t'
                           + outputField(CommonOperations::getName(person, true).value_or(QString()));
            for (const PhoneEntry &phone : person.phones.value_or(QList<PhoneEntry>())) {
                const QString type = phone.label ? FavoriteRecord::phoneTypeFromLabel(*phone.label) : QString();
                line += QStringLiteral("\t%1:%2:%3").arg(phone.identifier).arg(outputField(type), outputField(phone.value));
            }
            Console::out(line);
        }
        return 0;
    });
}

int removeContact(const GlobalOptions &options, const QString &argument)
{
    bool isNumber = false;
    const int recordID = argument.toInt(&isNumber);
    if (!isNumber || recordID <= 0)
        return usageError(QStringLiteral("contacts remove: not a person id: %1").arg(argument));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        ListsSession session(app);
        AddressBook &addressBook = session.addressBook();
        if (openFailed(addressBook))
            return 1;
        if (!addressBook.personWithRecordID(recordID))
            return usageError(QStringLiteral("contacts remove: no person with id %1").arg(recordID));
        if (!addressBook.removePerson(recordID)) {
            Console::err(QStringLiteral("farline: cannot remove person %1: %2").arg(recordID).arg(addressBook.errorText()));
            return 1;
        }
        return 0;
    });
}

int runContacts(const GlobalOptions &options, const QStringList &arguments)
{
    const QString action = arguments.value(0);
    if (action == u"import")
        return importContacts(options, arguments.mid(1));
    if (action == u"list" && arguments.size() == 1)
        return listContacts(options);
    if (action == u"remove" && arguments.size() == 2)
        return removeContact(options, arguments[1]);
    return usageError(QStringLiteral("contacts: expected 'import PATH...', 'list' or 'remove ID'"));
}

const Command contacts[] = {
    {"contacts", "import PATH... | list | remove ID",
     "import .vcf files or folders into the address book, list its persons, remove one", runContacts},
};
} // namespace

std::span<const Command> contactsCommands() { return contacts; }
