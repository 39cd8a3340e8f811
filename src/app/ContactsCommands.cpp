#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "app/CommandSupport.h"
#include "core/FarlineAppDelegate.h"
#include "lists/MyContactsViewController.h"
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
        AddressBook &addressBook = app.addressBook();
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
        AddressBook &addressBook = app.addressBook();
        if (openFailed(addressBook))
            return 1;
        MyContactsViewController &contacts = app.myContactsViewController();
        contacts.loadView();
        const PersonListModel &people = *contacts.people();
        for (int row = 0; row < people.rowCount(); ++row) {
            const int recordID = people.data(people.index(row), PersonListModel::RecordIDRole).toInt();
            const std::optional<Person> person = addressBook.personWithRecordID(recordID);
            if (!person)
                continue; // removed by another program meanwhile
            QString line = QString::number(person->recordID) + u'\t'
                           + outputField(CommonOperations::getName(*person, true).value_or(QString()));
            for (const PhoneEntry &phone : person->phones.value_or(QList<PhoneEntry>())) {
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
        AddressBook &addressBook = app.addressBook();
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

// A tap on one of a person's numbers in the contacts browser.
int callContact(const GlobalOptions &options, const QStringList &arguments)
{
    const auto recordID = numberArgument(arguments.value(0));
    const auto identifier = numberArgument(arguments.value(1));
    if (!recordID || !identifier)
        return usageError(QStringLiteral("contacts call: expected PERSON_ID IDENTIFIER"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        MyContactsViewController &contacts = app.myContactsViewController();
        if (!contacts.selectPerson(*recordID))
            return usageError(QStringLiteral("contacts call: no person with id %1").arg(*recordID));
        bool found = false;
        const int status = placedCallStatus(app, [&] { found = contacts.selectPhoneEntry(*recordID, *identifier); });
        if (!found)
            return usageError(QStringLiteral("contacts call: person %1 has no phone entry %2").arg(*recordID).arg(*identifier));
        return status;
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
    if (action == u"call" && arguments.size() == 3)
        return callContact(options, arguments.mid(1));
    return usageError(QStringLiteral(
        "contacts: expected 'import PATH...', 'list', 'remove ID' or 'call PERSON_ID IDENTIFIER'"));
}

const Command contacts[] = {
    {"contacts", "import PATH... | list | remove ID | call ID IDENTIFIER",
     "import .vcf files or folders into the address book, list or remove persons, call a number", runContacts},
};
} // namespace

std::span<const Command> contactsCommands() { return contacts; }
