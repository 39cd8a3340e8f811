#include "platform/VCardContact.h"

#include <gtest/gtest.h>

namespace {
using Text = std::optional<QString>;

std::variant<VCardContact, VCardProblem> contactOf(const QByteArray &properties)
{
    const VCardFile file = VCardReader::read("BEGIN:VCARD\nVERSION:3.0\n" + properties + "END:VCARD\n");
    EXPECT_EQ(file.cards.size(), 1);
    return VCardContact::fromCard(file.cards.value(0));
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

TEST(VCardContactTest, NamesFromNOrgAndFn)
{
    struct Case
    {
        const char *name;
        QByteArray properties;
        Text first, middle, last, organization;
    };
    const Case cases[] = {
        {"N parts in order last;first;middle", "N:Doe;John;Richter\\,James;Mr.;Sr.\nFN:Mr. John Doe\n",
         QStringLiteral("John"), QStringLiteral("Richter,James"), QStringLiteral("Doe"), {}},
        {"empty parts are absent", "N:;Anna;;;\n", QStringLiteral("Anna"), {}, {}, {}},
        {"blanks around parts go", "N: Berg ; Anna \n", QStringLiteral("Anna"), {}, QStringLiteral("Berg"), {}},
        {"escaped separator stays in the part", "N:A\\;B;C\n", QStringLiteral("C"), {}, QStringLiteral("A;B"), {}},
        {"ORG takes its first part", "N:Krull;Kristina;;;\nORG:SAP;Dept\n", QStringLiteral("Kristina"), {}, QStringLiteral("Krull"),
         QStringLiteral("SAP")},
        {"ORG in an item group", "N:KMS;WSF;;;\nitem2.ORG:KMS Au\xC3\x9F" "enstelle\n", QStringLiteral("WSF"), {}, QStringLiteral("KMS"),
         QStringLiteral("KMS Außenstelle")},
        {"FN alone is the first name", "FN:Sherlock Holmes\n", QStringLiteral("Sherlock Holmes"), {}, {}, {}},
        {"FN alone with an all-empty N", "N:;;;;\nFN:Anna\n", QStringLiteral("Anna"), {}, {}, {}},
        {"FN is not used beside ORG", "N:;;;;\nFN:{NAME}\nORG:{NAME};\n", {}, {}, {}, QStringLiteral("{NAME}")},
        {"FN is not used beside N", "N:Berg;;;;\nFN:Anna Berg\n", {}, {}, QStringLiteral("Berg"), {}},
        {"empty first ORG part is absent", "ORG:;Dept\nTEL:1\n", {}, {}, {}, {}},
        {"first N wins", "N:A;B\nN:C;D\n", QStringLiteral("B"), {}, QStringLiteral("A"), {}},
        {"2.1 quoted-printable N", "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=91=20;=C3=91\n", QStringLiteral("Ñ"), {},
         QStringLiteral("Ñ"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PersonDraft person = readable(c.properties).person;
        EXPECT_EQ(person.firstName, c.first);
        EXPECT_EQ(person.middleName, c.middle);
        EXPECT_EQ(person.lastName, c.last);
        EXPECT_EQ(person.organization, c.organization);
    }
}

TEST(VCardContactTest, LabelsFromTypes)
{
    const std::pair<QList<QByteArray>, Text> cases[] = {
        {{"CELL"}, QStringLiteral("_$!<Mobile>!$_")},
        {{"VOICE", "HOME"}, QStringLiteral("_$!<Home>!$_")},
        {{"WORK", "PREF"}, QStringLiteral("_$!<Work>!$_")},
        {{"MAIN"}, QStringLiteral("_$!<Main>!$_")},
        {{"PAGER"}, QStringLiteral("_$!<Pager>!$_")},
        {{"HOME", "FAX"}, QStringLiteral("_$!<HomeFAX>!$_")},
        {{"FAX", "WORK"}, QStringLiteral("_$!<WorkFAX>!$_")},
        {{"FAX"}, QStringLiteral("_$!<OtherFAX>!$_")},
        {{"VOICE", "CELL", "TEXT"}, QStringLiteral("_$!<Mobile>!$_")},
        {{"TEXT"}, QStringLiteral("_$!<Other>!$_")},
        {{"OTHER"}, QStringLiteral("_$!<Other>!$_")},
        {{"X-CUSTOM"}, QStringLiteral("_$!<Other>!$_")},
        {{}, {}},
        {{"PREF", "VOICE"}, {}},
    };
    for (const auto &[types, expected] : cases) {
        SCOPED_TRACE(QByteArrayList(types).join(',').toStdString());
        EXPECT_EQ(VCardContact::labelForTypes(types), expected);
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
                                          "TEL:\n"
                                          "TEL:7\n");
    const QList<PhoneDraft> expected = {
        {{}, QStringLiteral("_$!<Mobile>!$_"), QStringLiteral("+44 (20) 7946-0120")},
        {{}, QStringLiteral("_$!<AssistantPhone>!$_"), QStringLiteral("905-222-1234")},
        {{}, QStringLiteral(""), QStringLiteral("5")},
        {{}, QStringLiteral("_$!<Home>!$_"), QStringLiteral("6")},
        {{}, QStringLiteral("_$!<WorkFAX>!$_"), QStringLiteral("205246;,")},
        {{}, QStringLiteral("_$!<Home>!$_"), QStringLiteral("+44-555-555-5555,5555")},
        {{}, {}, QStringLiteral("7")},
    };
    EXPECT_EQ(contact.person.phones, expected);
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
