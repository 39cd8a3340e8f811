#include "access/LANFileNameparser.h"
#include "core/AppSettings.h"

#include <gtest/gtest.h>

namespace {
struct Decision
{
    bool wellFormed = true;
    int errorOccured = 2; // the neutral value an exchange starts from
    std::optional<QString> fileURL;
    std::optional<int> announced;
    bool operator==(const Decision &) const = default;
};

// The descriptor read with version 3 installed.
Decision parse(const QByteArray &document)
{
    AppSettings settings{QDateTime()};
    settings.currentVersionNumber = 3;
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
    const std::tuple<const char *, QByteArray, Decision> cases[] = {
        {"newer", book("<process>true</process><file>http://h/LAN.txt</file><version>4</version>"), {true, 2, "http://h/LAN.txt", 4}},
        {"equal is not newer", book("<file>http://h/a</file><version>3</version>"), {true, 1, "http://h/a", {}}},
        {"refused although newer", book("<process>x false</process><version>9</version>"), {true, 1, {}, 9}},
        {"refusal is case sensitive", book("<process>FALSE</process><version>9</version>"), {true, 2, {}, 9}},
        {"across lines with tabs", book("<version>\n\t\t12\n\t</version><file>\n\thttp://h/a b&#13;\n\t</file>"),
         {true, 2, "http://h/a b\r", 12}},
        {"entities inside the address", book("<file>http://h/f?a=1&amp;b=2&#38;c=3</file><version>4</version>"), {true, 2, "http://h/f?a=1&b=2&c=3", 4}},
        {"CDATA and comments split the text", book("<file>h/<![CDATA[x&y]]>.txt</file><version>1<!-- -->0</version>"),
         {true, 2, "h/x&y.txt", 10}},
        {"known wherever they stand", "<x><y><version>7</version></y><file>u</file></x>", {true, 2, "u", 7}},
        {"blanks around the version", book("<version> \r\n 5 </version>"), {true, 2, {}, 5}},
        {"a sign", book("<version>+5</version>"), {true, 2, {}, 5}},
        {"the largest version", book("<version>2147483647</version>"), {true, 2, {}, 2147483647}},
        {"negative", book("<version>-2147483648</version>"), {true, 1, {}, {}}},
        {"negative beyond 32 bits", book("<version>-2147483649</version>"), {false, 2, {}, {}}},
        {"text between elements has no effect", book("false 99<version>4</version>"), {true, 2, {}, 4}},
        {"malformed: what came before stays", book("<version>8</version><file>http://h/a</fil>"), {false, 2, {}, 8}},
        {"not XML", "<html><body>404 Not Found", {false, 2, {}, {}}},
        {"empty", "", {false, 2, {}, {}}},
        {"a document type declaration", "<!DOCTYPE B [<!ENTITY a \"aaaa\">]><B><file>&a;</file></B>", {false, 2, {}, {}}},
    };
    for (const auto &[name, document, expected] : cases)
        EXPECT_TRUE(parse(document) == expected) << name;
}

// Only an optional sign and ASCII digits that fit 32 bits are a version; a descriptor without
// one is no valid descriptor, whatever else it says.
TEST(LANFileNameparserTest, RefusesAnythingButAWholeVersion)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"", "no version"},
        {"<version/>", "no version"},
        {"<version></version>", "no version"},
        {"<version> \n\t</version>", "no version"},
        {"<process>false</process>", "no version"},
        {"<version>1e3</version>", "version 1e3 is not a whole number"},
        {"<version>7abc</version>", "version 7abc is not a whole number"},
        {"<version>7.9</version>", "version 7.9 is not a whole number"},
        {"<version>\xd9\xa7</version>", "version \xd9\xa7 is not a whole number"}, // an Arabic-Indic seven
        {"<version>99999999999999999999</version>", "version 99999999999999999999 is out of range"},
    };
    for (const auto &[inner, reason] : cases) {
        AppSettings settings{QDateTime()};
        bool announced = false;
        LANFileNameparser parser(settings, [&](int) { announced = true; });
        EXPECT_FALSE(parser.parse(book("<file>http://h/a</file>" + inner))) << inner.constData();
        EXPECT_EQ(parser.errorString(), QString::fromUtf8(reason));
        EXPECT_FALSE(announced) << inner.constData();
    }
}
} // namespace
