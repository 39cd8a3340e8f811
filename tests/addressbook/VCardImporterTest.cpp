#include "addressbook/AddressBook.h"
#include "addressbook/PhoneListMerge.h"
#include "addressbook/VCardFile.h"
#include "addressbook/VCardImporter.h"
#include "support/People.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A phone list as "label:value ...", the label M (mobile), H (home), - (none) or E (empty), each
// entry preceded by "identifier=" when it has one.
QList<PhoneDraft> phones(const char *text)
{
    QList<PhoneDraft> list;
    for (const QString &item : QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts)) {
        if (item == u"=")
            continue;
        const QString entry = item.section(u'=', -1), kind = entry.section(u':', 0, 0);
        const std::optional<QString> label =
            kind == u"-" ? std::nullopt : std::optional(kind == u"E" ? QString() : kind == u"M" ? u"_$!<Mobile>!$_"_qs : u"_$!<Home>!$_"_qs);
        list.append({item.contains(u'=') ? std::optional(item.section(u'=', 0, 0).toInt()) : std::nullopt, label, entry.section(u':', 1)});
    }
    return list;
}

TEST(PhoneListMergeTest, IdentifiersFollowSameEntriesThenSameLabels)
{
    const std::array<const char *, 4> cases[] = {
        // name, old list, incoming list, merged list ("=" marks an unchanged list)
        {"unchanged", "0=M:1 1=H:2", "M:1 H:2", "= 0=M:1 1=H:2"},
        {"reordered", "0=M:1 1=H:2", "H:2 M:1", "1=H:2 0=M:1"},
        {"number edited in place", "0=M:1 4=H:2", "M:1 H:20", "0=M:1 4=H:20"},
        {"exact match before label match", "0=H:1 1=H:2", "H:9 H:2", "0=H:9 1=H:2"},
        {"label changed is a new entry", "0=M:1", "H:1", "H:1"},
        {"no label matches no label", "3=-:1", "-:5", "3=-:5"},
        {"empty label is not no label", "3=E:1", "-:1", "-:1"},
        {"added entry", "0=M:1", "M:1 M:2", "0=M:1 M:2"},
        {"removed entry", "0=M:1 1=M:2", "M:1", "0=M:1"},
        {"duplicate numbers pair up one to one", "0=M:1 1=M:1", "M:1 M:1 M:1", "0=M:1 1=M:1 M:1"},
        {"no old list", "", "7=M:1", "M:1"},
        {"nothing before or after", "", "", "="},
    };
    for (const auto &[name, old, incoming, merged] : cases) {
        const auto readOld = [&](const std::function<void(const PhoneEntry &)> &take) {
            for (const PhoneDraft &phone : phones(old))
                take({*phone.identifier, phone.label, phone.value});
            return true;
        };
        const auto result = mergePhoneList(readOld, phones(incoming));
        ASSERT_TRUE(result) << name;
        EXPECT_EQ(result->phones, phones(merged)) << name;
        EXPECT_EQ(result->unchanged, QByteArray(merged).startsWith('=')) << name;
    }
}

class VCardImporterTest : public ::testing::Test
{
protected:
    struct Result
    {
        int imported = -1, updated = -1, skipped = -1;
        QStringList messages;
        bool committed = false;
    };

    // A file beside the address book.
    QString write(const QString &name, const QByteArray &bytes, qint64 size = -1) const
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || (size >= 0 && !file.resize(size)))
            ADD_FAILURE() << "cannot write " << name.toStdString();
        return file.fileName();
    }

    // Messages name the files without their folder.
    Result importPaths(const QStringList &paths)
    {
        Result result;
        VCardImporter importer(m_book, [&](const QString &line) { result.messages.append(QString(line).remove(m_dir.path() + u'/')); });
        for (const QString &path : paths)
            importer.importFile(path);
        result.committed = importer.commit();
        std::tie(result.imported, result.updated, result.skipped) = std::tuple(importer.imported(), importer.updated(), importer.skipped());
        return result;
    }
    Result import(const QList<std::pair<QString, QByteArray>> &files)
    {
        QStringList paths;
        for (const auto &[name, bytes] : files)
            paths.append(write(name, bytes));
        return importPaths(paths);
    }
    Result import(const QByteArray &bytes) { return import({{QStringLiteral("cards.vcf"), bytes}}); }

    // Each person as "first|middle|last|organisation|identifier:label:value ...", "-" for absent.
    QStringList dump() const
    {
        QStringList lines;
        for (const Person &p : everyone(m_book)) {
            QStringList fields = {p.firstName.value_or("-"), p.middleName.value_or("-"), p.lastName.value_or("-"), p.organization.value_or("-")};
            QStringList numbers;
            for (const PhoneEntry &phone : p.phones.value_or(QList<PhoneEntry>()))
                numbers.append(QStringLiteral("%1:%2:%3").arg(phone.identifier).arg(phone.label.value_or("-"), phone.value));
            lines.append((fields << numbers.join(u' ')).join(u'|'));
        }
        return lines;
    }

    QTemporaryDir m_dir;
    AddressBook m_book{m_dir.path() + QStringLiteral("/AddressBook.sqlite")};
};

const QByteArray anna = "BEGIN:VCARD\nVERSION:3.0\nUID:anna-1\nN:Berg;Anna;;;\n"
                        "TEL;TYPE=CELL:+46 70 111 22 33\nTEL;TYPE=HOME:+46 8 123 45\nEND:VCARD\n";
const QByteArray bob = "BEGIN:VCARD\nVERSION:2.1\nN:Stone;Bob\nORG:Acme\nTEL;WORK:555-1000\nEND:VCARD\n";

TEST_F(VCardImporterTest, UpdatesFollowTheIdentityRules)
{
    ASSERT_EQ(import(anna + bob).imported, 2); // imported again, they change nothing: see the contacts command's test
    const int annaID = *m_book.recordIDForImportKey(QStringLiteral("uid:anna-1"));
    // Anna, known by her UID, changes her name and loses her home number and gains a work
    // number; Bob changes his organisation and so is someone else; Carl is new.
    const Result result = import("BEGIN:VCARD\nUID:anna-1\nN:Lind;Anna;Maria\nTEL;CELL:+46 70 111 22 33\nTEL;WORK:1\nEND:VCARD\n"
                                 "BEGIN:VCARD\nN:Stone;Bob\nORG:Other\nTEL;WORK:555-1000\nEND:VCARD\n"
                                 "BEGIN:VCARD\nFN:Carl\nEND:VCARD\n");
    EXPECT_EQ(std::tuple(result.imported, result.updated), std::tuple(2, 1));
    EXPECT_EQ(dump(), (QStringList{"Anna|Maria|Lind|-|0:_$!<Mobile>!$_:+46 70 111 22 33 2:_$!<Work>!$_:1",
                                   "Bob|-|Stone|Acme|0:_$!<Work>!$_:555-1000", "Bob|-|Stone|Other|0:_$!<Work>!$_:555-1000", "Carl|-|-|-|"}));
    EXPECT_EQ(m_book.personWithRecordID(annaID)->lastName, u"Lind");
}

TEST_F(VCardImporterTest, UnreadableCardsAreSkippedWithTheirFileAndLineAndTheRestImported)
{
    import(anna);
    const Result result = import({{QStringLiteral("a.vcf"), "BEGIN:VCARD\nFN:Truncated\nTEL:1\n"          // line 1
                                                            "BEGIN:VCARD\nFN:Good\nTEL:2\nEND:VCARD\n"     // line 4
                                                            "BEGIN:VCARD\nFN:Bad\nTEL:3\x01\nEND:VCARD\n"  // line 8
                                                            "BEGIN:VCARD\nUID:anna-1\nFN:Copy\nEND:VCARD\n" // line 12
                                                            "BEGIN:VCARD\nUID:anna-1\nN:Berg;Anna\nEND:VCARD"},
                                  {QStringLiteral("junk.vcf"), QByteArray("\x7f\x45LF\x02\x01\x01\x00\x00", 9).repeated(100)},
                                  {QStringLiteral("cut.vcf"), "BEGIN:VCARD\nFN:Ahead\nEND:VCARD\nBEGIN:VCARD\nFN:Cut\n"}});
    EXPECT_TRUE(result.committed);
    EXPECT_EQ(std::tuple(result.imported, result.updated, result.skipped), std::tuple(2, 1, 4));
    EXPECT_EQ(result.messages, (QStringList{"a.vcf:1: card has no END:VCARD; skipped",
                                            "a.vcf:10: cannot read TEL: the value holds binary data; skipped",
                                            "a.vcf:16: the same person as the card at a.vcf:12; skipped",
                                            "junk.vcf: no vCard in this file", "cut.vcf:4: card has no END:VCARD; skipped"}));
    // Anna's card (UID anna-1) was taken from line 12 and lost her numbers; nothing else changed.
    EXPECT_EQ(dump(), (QStringList{"Copy|-|-|-|", "Good|-|-|-|0:-:2", "Ahead|-|-|-|"}));
}

// A file is measured as it is read, so that one growing past the limit (or lying about its size)
// is skipped whole, even after cards of its beginning were taken.
TEST_F(VCardImporterTest, AFileOverTheSizeLimitIsSkippedWhole)
{
    const Result result = importPaths({write(QStringLiteral("big.vcf"), anna, maxVCardFileSize + 1),
                                       write(QStringLiteral("b.vcf"), bob)});
    EXPECT_TRUE(result.committed);
    EXPECT_EQ(std::tuple(result.imported, result.updated, result.skipped), std::tuple(1, 0, 0));
    EXPECT_EQ(result.messages, QStringList{"big.vcf: cannot read: larger than 64 MiB"});
    EXPECT_EQ(dump(), QStringList{"Bob|-|Stone|Acme|0:_$!<Work>!$_:555-1000"});
}

// The exports of real address book clients in the shared test corpus, when it is there.
TEST_F(VCardImporterTest, ReadsTheSharedCorpusSensibly)
{
    const QDir corpus(QStringLiteral(FARLINE_SHARED_VCARDS));
    if (!corpus.exists())
        GTEST_SKIP() << "no shared vCard corpus at " << FARLINE_SHARED_VCARDS;
    const std::map<QString, std::array<int, 3>> expected = { // persons, phones, skipped
        {"android-2.1-qp-utf8.vcf", {4, 9, 2}},        {"apple-ios5-3.0-photo.vcf", {1, 7, 0}},
        {"apple-macos-3.0-multi-latin1.vcf", {30, 12, 0}}, {"apple-macos-3.0-photo.vcf", {1, 7, 0}},
        {"apple-macos15-3.0-company.vcf", {1, 0, 0}},  {"evolution-3.0-folded-tel.vcf", {1, 2, 0}},
        {"evolution1-noversion-org.vcf", {1, 2, 0}},   {"google-3.0-grouped-org.vcf", {2, 3, 0}},
        {"google-3.0-labels.vcf", {1, 11, 0}},         {"kaddressbook-4.0-teluri.vcf", {1, 3, 0}},
        {"nextcloud-sabre-3.0.vcf", {1, 4, 0}},        {"outlook2003-2.1-qp-cp1250.vcf", {1, 3, 0}},
        {"outlook2007-2.1-qp.vcf", {1, 4, 0}},         {"owncloud-3.0-utf8-fold.vcf", {1, 0, 0}},
        {"thunderbird-cardbook-4.0.vcf", {2, 12, 0}},
    };
    for (const QFileInfo &info : corpus.entryInfoList({QStringLiteral("*.vcf")}, QDir::Files, QDir::Name)) {
        SCOPED_TRACE(info.fileName().toStdString());
        QTemporaryDir dir;
        AddressBook book(dir.path() + QStringLiteral("/AddressBook.sqlite"));
        VCardImporter importer(book, {});
        ASSERT_EQ(importer.importFile(info.filePath()), VCardImporter::FileResult::Read);
        ASSERT_TRUE(importer.commit());
        int phones = 0;
        for (const Person &person : everyone(book)) {
            for (const PhoneEntry &phone : person.phones.value_or(QList<PhoneEntry>())) {
                ++phones;
                EXPECT_FALSE(phone.value.contains(QChar::ReplacementCharacter)) << phone.value.toStdString();
                EXPECT_FALSE(phone.value.startsWith(QLatin1String("tel:"))) << phone.value.toStdString();
            }
        }
        const auto found = expected.find(info.fileName());
        if (found == expected.end()) {
            EXPECT_GT(importer.imported(), 0) << "a new file in the corpus imports nothing";
            continue;
        }
        EXPECT_EQ((std::array{importer.imported(), phones, importer.skipped()}), found->second);
    }
}
} // namespace
