#include "window/SampleHome.h"

#include "core/FarlineAppDelegate.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "lists/PersonListModel.h"
#include "addressbook/VCardImporter.h"
#include "screens/KeypadViewController.h"

#include <QFile>

namespace {
// The sample address book: persons made up for the pictures, their numbers from the ranges kept
// for drama and tests where the country has one.
const char sampleCards[] = R"(BEGIN:VCARD
VERSION:3.0
N:Kowalska;Anna;;;
TEL;TYPE=CELL:+48 601 555 010
TEL;TYPE=HOME:+48 22 555 01 23
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Carter;Ben;;;
TEL;TYPE=CELL:+44 7700 900123
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Martin;Chloé;;;
ORG:Atelier Martin
TEL;TYPE=WORK:+33 1 99 00 12 34
TEL;TYPE=CELL:+33 1 99 00 56 78
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Müller;David;;;
TEL;TYPE=CELL:+49 30 23125 555
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Lee;Grace;;;
TEL;TYPE=WORK:+1 312 555 0142
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:;;;;
ORG:Pizza Roma
TEL;TYPE=WORK:+48 22 555 77 88
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:Svensson;Emma;;;
TEL;TYPE=CELL:+46 70 174 06 10
END:VCARD
)";

} // namespace

bool SampleHome::importPersons(FarlineAppDelegate &app, const QString &folder)
{
    const QString path = folder + QStringLiteral("/samples.vcf");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sampleCards) != qint64(sizeof sampleCards - 1))
        return false;
    file.close();
    VCardImporter importer(app.addressBook(), [](const QString &) {});
    return importer.importFile(path) == VCardImporter::FileResult::Read && importer.commit();
}

std::optional<std::pair<int, int>> SampleHome::firstNumber(FarlineAppDelegate &app, const QString &name)
{
    PersonListModel &people = *app.myContactsViewController().people();
    people.reload();
    for (int row = 0; row < people.rowCount(); ++row) {
        const QModelIndex index = people.index(row);
        if (people.data(index, PersonListModel::NameRole).toString() == name) {
            const int id = people.data(index, PersonListModel::RecordIDRole).toInt();
            const QVariantList phones = people.details(id).value(QStringLiteral("phones")).toList();
            if (!phones.isEmpty())
                return std::pair(id, phones.first().toMap().value(QStringLiteral("identifier")).toInt());
        }
    }
    return std::nullopt;
}

bool SampleHome::fillLists(FarlineAppDelegate &app, Clock &clock)
{
    FavoritesViewController &favorites = app.favoritesViewController();
    for (const char *name : {"Anna Kowalska", "Ben Carter", "Pizza Roma", "Chloé Martin"}) {
        const auto number = firstNumber(app, QString::fromUtf8(name));
        if (!number)
            return false;
        favorites.NewAction();
        favorites.pickPhoneEntry(number->first, number->second);
    }
    MyContactsViewController &contacts = app.myContactsViewController();
    for (const char *name : {"David Müller", "Grace Lee", "Anna Kowalska", "Emma Svensson"}) {
        const auto number = firstNumber(app, QString::fromUtf8(name));
        if (!number)
            return false;
        clock.advance(3 * 3600 + 17 * 60);
        contacts.selectPhoneEntry(number->first, number->second);
    }
    app.keypadViewController().typeNumber(QStringLiteral("004930901820"));
    clock.advance(25 * 60);
    app.keypadViewController().initiateCall();
    return true;
}

