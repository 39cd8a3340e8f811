#include "addressbook/VCardContact.h"

#include <gtest/gtest.h>

namespace {
VCardContactReader::Card contactOf(const QByteArray &properties)
{
    QList<VCardContactReader::Card> cards;
    VCardContactReader contacts([&](VCardContactReader::Card &&card) { cards.append(std::move(card)); });
    VCardReader reader(contacts);
    reader.read("BEGIN:VCARD\nVERSION:3.0\n" + properties + "END:VCARD\n");
    reader.finish();
    EXPECT_EQ(cards.size(), 1);
    return cards.value(0, VCardProblem{});
}

VCardContact readable(const QByteArray &properties)
{
    auto read = contactOf(properties);
    if (auto *problem = std::get_if<VCardProblem>(&read)) {
        ADD_FAILURE() << "unreadable: " << problem->message.toStdString();
        return {};
    }
    return std::get<VCardContact>(read);
}

QString orDash(const std::optional<QString> &text) { return text.value_or(QStringLiteral("-")); }

TEST(VCardContactTest, NamesFromNOrgAndFn)
{
    const std::tuple<const char *, QByteArray, const char *> cases[] = {
        // first|middle|last|organisation, "-" for absent
        {"N parts in order last;first;middle", "N:Doe;John;Richter\\,James;Mr.;Sr.\nFN:Mr. John Doe\n", "John|Richter,James|Doe|-"},
        {"empty parts are absent", "N:;Anna;;;\n", "Anna|-|-|-"},
        {"escaped separator stays in the part", "N:A\\;B;C\n", "C|-|A;B|-"},
        {"ORG takes its first part", "N:Krull;Kristina;;;\nORG:SAP;Dept\n", "Kristina|-|Krull|SAP"},
        {"FN alone is the first name", "FN:Sherlock Holmes\n", "Sherlock Holmes|-|-|-"},
        {"FN is not used beside ORG", "N:;;;;\nFN:{NAME}\nORG:{NAME};\n", "-|-|-|{NAME}"},
        {"FN is not used beside N", "N:Berg;;;;\nFN:Anna Berg\n", "-|-|Berg|-"},
        {"empty first ORG part is absent", "ORG:;Dept\nTEL:1\n", "-|-|-|-"},
        {"2.1 quoted-printable N", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91=20;=C3=91\n", "Ñ|-|Ñ|-"},
    };
    for (const auto &[name, properties, expected] : cases) {
        const PersonDraft person = readable(properties).person;
        EXPECT_EQ(QStringList({orDash(person.firstName), orDash(person.middleName), orDash(person.lastName), orDash(person.organization)})
                      .join(u'|'),
                  QString::fromUtf8(expected))
            << name;
    }
}

TEST(VCardContactTest, LabelsFromTypes)
{
    const std::pair<QList<QByteArray>, const char *> cases[] = {
        {{"CELL"}, "Mobile"}, {{"VOICE", "HOME"}, "Home"},   {{"WORK", "PREF"}, "Work"},           {{"MAIN"}, "Main"},
        {{"PAGER"}, "Pager"}, {{"HOME", "FAX"}, "HomeFAX"},  {{"FAX", "WORK"}, "WorkFAX"},         {{"FAX"}, "OtherFAX"},
        {{"TEXT"}, "Other"},  {{"OTHER"}, "Other"},          {{"VOICE", "CELL", "TEXT"}, "Mobile"}, {{"X-CUSTOM"}, "Other"},
        {{}, nullptr},        {{"PREF", "VOICE"}, nullptr},
    };
    for (const auto &[types, expected] : cases) {
        EXPECT_EQ(VCardContact::labelForTypes(types), expected ? std::optional(QStringLiteral("_$!<%1>!$_").arg(expected)) : std::nullopt)
            << QByteArrayList(types).join(',').toStdString();
    }
}

TEST(VCardContactTest, NumbersAreTakenAsWrittenWithTheirLabels)
{
    const VCardContact contact = readable("FN:Anna\n"
                                          "TEL;CELL;PREF:+44 (20) 7946-0120 \n"
                                          "item2.TEL;type=WORK:905-222-1234\n"
                                          "item2.X-ABLabel:_$!<AssistantPhone>!$_\n"
                                          "ITEM3.TEL:5\n"
                                          "item3.X-ABLABEL:\n"
                                          "item4.TEL;TYPE=HOME:6\n"
                                          "TEL;TYPE=\"WORK,FAX\":205246\\;\\,\n"
                                          "TEL;VALUE=uri;TYPE=\"voice,home\":tel:+44-555-555-5555;ext=5555\n"
                                          "just words\n"                  // not a property: passed over
                                          "\x89PNG:\x01\n"
                                          "TEL:\n"
                                          "TEL:7\n"
                                          "item5.tel;type=FAX;Type=work,Pref:9\n"
                                          "TEL;TYPE=\"HOME,VOICE\";X-UUID=\"x;y\":8\n"
                                          "item6.X-ABLabel:Before\n"     // the label ahead of its number
                                          "item6.TEL:10\n");
    QStringList phones;
    for (const PhoneDraft &phone : contact.person.phones) {
        EXPECT_EQ(phone.identifier, std::nullopt);
        phones.append(orDash(phone.label) + u':' + phone.value);
    }
    EXPECT_EQ(phones, (QStringList{"_$!<Mobile>!$_:+44 (20) 7946-0120", "_$!<AssistantPhone>!$_:905-222-1234", ":5",
                                   "_$!<Home>!$_:6", "_$!<WorkFAX>!$_:205246;,", "_$!<Home>!$_:+44-555-555-5555,5555", "-:7",
                                   "_$!<WorkFAX>!$_:9", "_$!<Home>!$_:8", "Before:10"}));
}

TEST(VCardContactTest, CardsThatCannotBeTakenInNameTheLine)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"binary data in a number", "FN:A\nTEL:12\x02" "3\n"},
        {"broken parameter quotes", "FN:A\nTEL;TYPE=\"CELL:123\n"},
        {"name too long", "FN:" + QByteArray(5000, 'a') + "\n"},
        {"nothing to call or show", "EMAIL:a@example.com\nNOTE:x\n"},
    };
    for (const auto &[name, properties] : cases) {
        SCOPED_TRACE(name);
        const auto read = contactOf(properties);
        ASSERT_TRUE(std::holds_alternative<VCardProblem>(read));
        EXPECT_GE(std::get<VCardProblem>(read).line, 1);
    }
    // Defects in properties that are not taken in do not matter.
    EXPECT_EQ(readable("FN:A\nNOTE:bin\x01" "ary\n").person.firstName, u"A");
}

TEST(VCardContactTest, ImportKeysTellTheSamePerson)
{
    const auto key = [](const QByteArray &properties) { return readable(properties).importKey(); };
    EXPECT_EQ(key("UID:u-1\nFN:Anna\n"), key("UID:u-1\nFN:Other name\nORG:X\n"));
    EXPECT_NE(key("UID:u-1\nFN:Anna\n"), key("UID:u-2\nFN:Anna\n"));
    EXPECT_EQ(key("FN:Anna Berg\nN:Berg;Anna\nTEL:1\n"), key("FN:Anna Berg\nN:Berg;Anna\nTEL:2\n"));
    EXPECT_EQ(key("N:Berg;Anna\n"), key("FN:Anna Berg\nN:Berg;Anna\n"));
    EXPECT_NE(key("FN:Anna Berg\nORG:A\n"), key("FN:Anna Berg\nORG:B\n"));
    EXPECT_NE(key("FN:Anna Berg\n"), key("FN:anna berg\n"));
    EXPECT_NE(key("TEL:1\n"), key("TEL:2\n")); // cards without any name stay apart by their numbers
    EXPECT_NE(key("UID:x\n" "FN:A\n"), key("FN:A\n"));
}
} // namespace
