#include "access/LANFileNameparser.h"
#include "core/AppSettings.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
struct Decision
{
    bool wellFormed = true;
    int errorOccured = 2; // the neutral value the exchange starts from
    std::optional<QString> fileURL;
    std::optional<int> announced;
};

Decision parse(const QByteArray &document, int installedVersion = 3)
{
    TestApp test;
    AppSettings &settings = test.app().appSettings();
    settings.currentVersionNumber = installedVersion;
    settings.errorOccured = 2;
    settings.currentLANFileURL.reset();
    Decision decision;
    LANFileNameparser parser(settings, [&](int version) { decision.announced = version; });
    decision.wellFormed = parser.parse(document);
    decision.errorOccured = settings.errorOccured;
    decision.fileURL = settings.currentLANFileURL;
    return decision;
}

QByteArray book(const QByteArray &inner) { return "<?xml version=\"1.0\"?>\n<Books>\n\t<Book>" + inner + "</Book>\n</Books>\n"; }

TEST(LANFileNameparserTest, DecidesOnTheWholeTextOfEachElement)
{
    struct Case
    {
        const char *name;
        QByteArray document;
        Decision expected;
    };
    const Case cases[] = {
        {"newer version", book("<process>true</process><file>http://h/LAN.txt</file><version>4</version>"),
         {true, 2, "http://h/LAN.txt", 4}},
        {"equal version is not newer", book("<process>true</process><file>http://h/a</file><version>3</version>"),
         {true, 1, "http://h/a", std::nullopt}},
        {"older version", book("<version>2</version><file>http://h/a</file>"), {true, 1, "http://h/a", std::nullopt}},
        {"refused although newer", book("<process>update=false</process><file>http://h/a</file><version>9</version>"),
         {true, 1, "http://h/a", 9}},
        {"process text is case sensitive", book("<process>FALSE</process><version>9</version>"),
         {true, 2, std::nullopt, 9}},
        {"version and file across lines with tabs",
         book("<version>\n\t\t12\n\t</version><file>\n\t\thttp://h/a b&#13;\n\t</file>"), {true, 2, "http://h/a b\r", 12}},
        {"an entity inside the address keeps it whole", book("<file>http://h/f.txt?a=1&amp;b=2&#38;c=3</file><version>5</version>"),
         {true, 2, "http://h/f.txt?a=1&b=2&c=3", 5}},
        {"CDATA pieces are joined", book("<file>http://h/<![CDATA[x&y]]>.txt</file>"), {true, 2, "http://h/x&y.txt", std::nullopt}},
        {"elements are known wherever they stand", "<x><y><version>7</version></y><file>u</file></x>", {true, 2, "u", 7}},
        {"a version without digits counts as 0", book("<version>new</version>"), {true, 1, std::nullopt, std::nullopt}},
        {"no version: no decision", book("<file>http://h/a</file>"), {true, 2, "http://h/a", std::nullopt}},
        {"text between elements has no effect", book("true false 99"), {true, 2, std::nullopt, std::nullopt}},
        {"malformed: what came before stays", book("<version>8</version><file>http://h/a</fil>"),
         {false, 2, std::nullopt, 8}},
        {"not XML at all", "<html><body>404 Not Found", {false, 2, std::nullopt, std::nullopt}},
        {"empty", "", {false, 2, std::nullopt, std::nullopt}},
        {"a document type declaration is refused",
         "<!DOCTYPE Books [<!ENTITY a \"aaaaaaaaaa\">]><Books><file>&a;</file></Books>", {false, 2, std::nullopt, std::nullopt}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Decision got = parse(c.document);
        EXPECT_EQ(got.wellFormed, c.expected.wellFormed);
        EXPECT_EQ(got.errorOccured, c.expected.errorOccured);
        EXPECT_EQ(got.fileURL, c.expected.fileURL);
        EXPECT_EQ(got.announced, c.expected.announced);
    }
}

TEST(LANFileNameparserTest, TextArrivingInPiecesIsJudgedWhole)
{
    TestApp test;
    AppSettings &settings = test.app().appSettings();
    settings.currentVersionNumber = 3;
    std::optional<int> announced;
    LANFileNameparser parser(settings, [&](int version) { announced = version; });

    parser.didStartElement(QStringLiteral("Books"));
    parser.foundCharacters(u"\n\t");
    parser.didStartElement(QStringLiteral("file"));
    for (const char16_t *piece : {u"http://h/f?a=1", u"&", u"b=2"})
        parser.foundCharacters(piece);
    EXPECT_EQ(settings.currentLANFileURL, u""); // nothing decided before the end tag
    parser.didEndElement(QStringLiteral("file"));
    EXPECT_EQ(settings.currentLANFileURL, u"http://h/f?a=1&b=2");
    EXPECT_FALSE(parser.currentElement());

    // "1" then "0": the version is 10, not 1 (which is not newer than 3) nor 0.
    parser.didStartElement(QStringLiteral("version"));
    parser.foundCharacters(u"1");
    parser.foundCharacters(u"0");
    parser.didEndElement(QStringLiteral("version"));
    EXPECT_EQ(announced, 10);
    EXPECT_EQ(settings.errorOccured, 0);

    // Only the end of "Books" leaves the element and its text as they are.
    parser.didStartElement(QStringLiteral("Books"));
    parser.foundCharacters(u"x");
    parser.didEndElement(QStringLiteral("Books"));
    EXPECT_EQ(parser.currentElement(), u"Books");
    EXPECT_EQ(parser.currentElementValue(), u"x");
}

TEST(LANFileNameparserTest, ReadsVersionsAsSignedDecimals)
{
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    const std::pair<const char16_t *, int> cases[] = {
        {u"42", 42},         {u"  \r 7 beta", 7}, {u"-3", -3},       {u"+5", 5},
        {u"", 0},            {u"v2", 0},          {u"- 4", 0},       {u"007", 7},
        {u"99999999999", most}, {u"-99999999999", least}, {u"2147483647", most}, {u"-2147483648", least},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(LANFileNameparser::intValue(text), value) << QString::fromUtf16(text).toStdString();
}
} // namespace
