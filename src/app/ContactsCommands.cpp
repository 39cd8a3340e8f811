#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "app/CommandSupport.h"
#include "app/SiblingProgram.h"
#include "core/FarlineAppDelegate.h"
#include "lists/MyContactsViewController.h"
#include "core/CommonOperations.h"
#include "core/FavoriteRecord.h"
#include "addressbook/AddressBook.h"
#include "platform/Console.h"
#include "addressbook/VCardImporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <dirent.h>

namespace {
struct ImportPaths
{
    QStringList files;
    QStringList unreadFolders; // "FOLDER: cannot read: reason"
};

// Why a folder cannot be listed: QDir lists such a folder as an empty one.
std::optional<QString> folderError(const QString &path)
{
    DIR *dir = ::opendir(QFile::encodeName(path).constData());
    if (!dir)
        return qt_error_string(errno);
    ::closedir(dir);
    return std::nullopt;
}

// The .vcf files named: files as they are, folders for every .vcf directly in them, by name,
// FIFOs and devices among them too, so that the import names them when it skips them.
std::optional<ImportPaths> vcardFiles(const QStringList &paths)
{
    ImportPaths found;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            if (const auto error = folderError(path)) {
                found.unreadFolders.append(QStringLiteral("%1: cannot read: %2").arg(path, *error));
                continue;
            }
            QDir dir(path);
            dir.setNameFilters({QStringLiteral("*.vcf"), QStringLiteral("*.VCF"), QStringLiteral("*.Vcf")});
            dir.setFilter(QDir::Files | QDir::System); // an unreadable one is named when it is read
            dir.setSorting(QDir::Name);
            for (const QFileInfo &file : dir.entryInfoList())
                found.files.append(file.filePath());
        } else if (info.exists()) {
            found.files.append(path);
        } else {
            usageError(QStringLiteral("contacts import: no such file or folder: %1").arg(path));
            return std::nullopt;
        }
    }
    return found;
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
        for (const QString &line : files->unreadFolders)
            Console::err(line);
        // Termination signals come through the event loop, which the import does not run: it
        // lets them in between pieces, cards and numbers, every 50 ms at most.
        QElapsedTimer sinceEvents;
        sinceEvents.start();
        const auto terminationRequested = [&] {
            if (sinceEvents.hasExpired(50)) {
                QCoreApplication::processEvents();
                sinceEvents.start();
            }
            return receivedTerminationSignal() != 0;
        };
        VCardImporter importer(addressBook, [](const QString &line) { Console::err(line); }, terminationRequested);
        bool everyFileRead = files->unreadFolders.isEmpty();
        for (const QString &path : files->files) {
            const VCardImporter::FileResult result = importer.importFile(path);
            if (result == VCardImporter::FileResult::Interrupted)
                return 128 + receivedTerminationSignal();
            if (result == VCardImporter::FileResult::Refused)
                break;
            everyFileRead = everyFileRead && result == VCardImporter::FileResult::Read;
        }
        QCoreApplication::processEvents(); // a request during the last card still undoes the import
        if (const int signalNumber = receivedTerminationSignal())
            return 128 + signalNumber;
        if (!importer.commit()) {
            Console::err(QStringLiteral("farline: nothing imported: the address book could not be written: ")
                         + importer.errorText());
            return 1;
        }
        Console::out(importer.summary());
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
            // A long list ends at a termination request, as any run does.
            if (const int signalNumber = receivedTerminationSignal())
                return 128 + signalNumber;
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
        // The mirror follows its source: the person would be back at the next change there.
        if (const auto source = addressBook.sourceOfPerson(recordID)) {
            Console::err(QStringLiteral("farline: contacts remove: person %1 comes from %2; remove it there")
                             .arg(recordID).arg(*source));
            return 1;
        }
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
    // The only ones that ask the session bus, in a program of their own.
    if ((action == u"sync" || action == u"sources") && arguments.size() == 1)
        return execSibling(QStringLiteral("farline-contacts"), QCoreApplication::arguments());
    return usageError(QStringLiteral("contacts: expected 'import PATH...', 'list', 'remove ID', "
                                     "'call PERSON_ID IDENTIFIER', 'sync' or 'sources'"));
}

const Command contacts[] = {
    {"contacts", "import PATH... | list | remove ID | call ID IDENTIFIER | sync | sources",
     "import .vcf files or folders into the address book, list or remove persons, call a number; sync the "
     "system's contacts (Evolution Data Server, the KDE contacts folder) or list their sources (SOURCE, STATE, PERSONS)",
     runContacts},
};
} // namespace

std::span<const Command> contactsCommands() { return contacts; }
