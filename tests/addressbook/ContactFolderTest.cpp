// The KDE contacts folder mirrored into the address book.

#include "addressbook/AddressBook.h"
#include "addressbook/ContactSync.h"
#include "addressbook/VCardImporter.h"
#include "support/FileSizeLimit.h"
#include "support/Files.h"
#include "support/People.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray card(const char *uid, const char *name, const char *number)
{
    return QByteArray("BEGIN:VCARD\nVERSION:3.0\nUID:") + uid + "\nFN:" + name + "\nN:;" + name
         + ";;;\nTEL;TYPE=CELL:" + number + "\nEND:VCARD\n";
}

class ContactFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent"); } // no EDS here

    QString write(const QString &name, const QByteArray &bytes) const { return writeFile(m_folder + u'/' + name, bytes); }
    // Each person as "id name number...", in id order.
    QStringList persons() const
    {
        QStringList lines;
        for (const Person &person : everyone(m_book)) {
            QString line = QString::number(person.recordID) + u' ' + person.firstName.value_or(QString());
            for (const PhoneEntry &phone : person.phones.value_or(QList<PhoneEntry>()))
                line += QStringLiteral(" %1:%2").arg(phone.identifier).arg(phone.value);
            lines.append(line);
        }
        return lines;
    }
    ContactSync::Result sync()
    {
        ContactSync::Result result = m_sync.sync();
        for (QString &problem : result.problems)
            problem.remove(m_folder + u'/');
        return result;
    }
    QStringList lines(const ContactSync::Result &result) const
    {
        QStringList lines;
        for (const ContactSync::SourceState &source : result.sources)
            lines.append(source.line());
        return lines;
    }

    QTemporaryDir m_dir;
    const QString m_folder = m_dir.filePath(QStringLiteral("kpeoplevcard"));
    AddressBook m_book{m_dir.filePath(QStringLiteral("AddressBook.sqlite"))};
    ContactSync m_sync{m_book, m_folder};
};

TEST_F(ContactFolderTest, FollowsAdditionsChangesAndRemovalsAndNamesWhatItCannotRead)
{
    VCardImporter importer(m_book, {});
    importer.importFile(writeFile(m_dir.filePath(QStringLiteral("imported.vcf")), card("anna", "Imported", "1")));
    ASSERT_TRUE(importer.commit());
    ContactSync::Result result = sync();
    EXPECT_EQ(lines(result).mid(1), (QStringList{"kpeoplevcard\tunavailable: no folder " + m_folder + "\t0", "imported\tok\t1"}));

    write(QStringLiteral("anna.vcf"), card("anna", "Anna", "+46 70 111"));
    write(QStringLiteral("friends/ben.vcard"), card("ben", "Ben", "+44 7700 900"));
    write(QStringLiteral("notes.txt"), "not a card");
    write(QStringLiteral("empty.vcf"), "no card in here\n");
    write(QStringLiteral("cut.vcf"), "BEGIN:VCARD\nVERSION:3.0\nFN:Cut\nTEL:1\n");
    ASSERT_TRUE(QFile::link(m_folder, m_folder + QStringLiteral("/friends/loop"))); // back up: read once
    result = sync();
    EXPECT_FALSE(result.failure);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.problems, (QStringList{"cut.vcf:1: card has no END:VCARD; skipped", "empty.vcf: no vCard in this file"}));
    EXPECT_EQ(lines(result).mid(1), (QStringList{"kpeoplevcard\tok\t2", "imported\tok\t1"}));
    // The imported card with the same UID stays a person of its own.
    EXPECT_EQ(persons(), (QStringList{"1 Imported 0:1", "2 Anna 0:+46 70 111", "3 Ben 0:+44 7700 900"}));

    // Nothing changed: nothing written.
    EXPECT_FALSE(sync().changed);

    // Edited: the same person, the number edited in place keeps its identifier; renamed: the
    // same person too.
    write(QStringLiteral("anna.vcf"), card("anna", "Anne", "+46 70 222"));
    ASSERT_TRUE(QFile::rename(m_folder + QStringLiteral("/friends/ben.vcard"), m_folder + QStringLiteral("/ben.vcf")));
    EXPECT_TRUE(sync().changed);
    EXPECT_EQ(persons(), (QStringList{"1 Imported 0:1", "2 Anne 0:+46 70 222", "3 Ben 0:+44 7700 900"}));

    // A card that can no longer be read is named and its person kept; a removed file's person goes.
    write(QStringLiteral("anna.vcf"), "BEGIN:VCARD\nVERSION:3.0\nEND:VCARD\n");
    ASSERT_TRUE(QFile::remove(m_folder + QStringLiteral("/ben.vcf")));
    result = sync();
    EXPECT_EQ(result.problems, (QStringList{"anna.vcf:1: card has no name, organisation or phone number; skipped",
                                            "cut.vcf:1: card has no END:VCARD; skipped", "empty.vcf: no vCard in this file"}));
    EXPECT_EQ(persons(), (QStringList{"1 Imported 0:1", "2 Anne 0:+46 70 222"}));

    // A sync the address book refuses half way (a full disk) changes nothing, and says why.
    for (int i = 0; i < 300; ++i)
        write(QStringLiteral("many/%1.vcf").arg(i), card(QByteArray::number(i).constData(), "Many", "+1 555 0100"));
    {
        const FileSizeLimit full(QFileInfo(m_book.path()).size());
        result = sync();
    }
    ASSERT_TRUE(result.failure);
    EXPECT_TRUE(result.failure->startsWith(QLatin1String("the address book could not be written: "))) << result.failure->toStdString();
    EXPECT_EQ(persons(), (QStringList{"1 Imported 0:1", "2 Anne 0:+46 70 222"}));
    EXPECT_EQ(lines(sync()).value(1), "kpeoplevcard\tok\t301");
}
} // namespace
