#include "access/CountryList.h"
#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"
#include "access/LANFileParser.h"
#include "core/TCCManager.h"
#include "platform/Bundle.h"
#include "support/DataFiles.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
using Entry = CountryList::Entry;

TEST(CountryListTest, ParsesNameAndKeyFromEachLine)
{
    const std::pair<QByteArray, QList<Entry>> cases[] = {
        {"United Kingdom 234\nPoland 260\n", {{"United Kingdom ", "234"}, {"Poland ", "260"}}},
        {"Bosnia  and Herzegovina 218", {{"Bosnia  and Herzegovina ", "218"}}},
        {"Nowhere \n", {{"Nowhere ", ""}}},
        {"\n\nNoSpace\n \nA 1\n", {{" ", ""}, {"A ", "1"}}},
        {"Côte d'Ivoire 612\r\nPoland 260\r\n\r\n", {{"Côte d'Ivoire ", "612"}, {"Poland ", "260"}}},
        {"Odd \xff\xfe 1\x01", {{QString::fromUtf8("Odd \xff\xfe "), "1\x01"}}},
        {"", {}},
    };
    for (const auto &[text, entries] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(CountryList::parse(text), entries);
    }
}

// The bundle's three files must agree: every access number key and every dialling code key is a
// key of the country list, and every country has a dialling code.
TEST(CountryListTest, TheBundleDataFilesAgreeWithTheCountryList)
{
    const Bundle bundle;
    const QList<Entry> countries = CountryList::fromBundle(bundle);
    ASSERT_GT(countries.size(), 200);
    QSet<QString> keys;
    for (const Entry &entry : countries) {
        EXPECT_FALSE(entry.key.isEmpty()) << entry.name.toStdString();
        keys.insert(entry.key);
    }

    const auto lanLines = dataFileLines(*bundle.contentsOfResource("LANFile", "txt", "/"));
    ASSERT_TRUE(lanLines);
    const QByteArray lanText = lanLines->join(QStringLiteral("\r\n")).toLatin1();
    const DataFileLines lanFile{QLatin1StringView(lanText)};
    const QStringList lanKeys = LANFileParser::parse(lanFile, u"234").keys;
    EXPECT_GT(lanKeys.size(), 10);
    for (const QString &key : lanKeys) {
        EXPECT_TRUE(keys.contains(key)) << key.toStdString();
        // The search for "KEY " must find only the country's own lines.
        EXPECT_EQ(LANFileParser::parse(lanFile, key).numbers.size(),
                  std::count_if(lanLines->begin(), lanLines->end(),
                                [&](const QString &line) { return line.startsWith(key + u' '); }));
    }

    TCCManager table;
    ASSERT_TRUE(DataFileReader::readBytes(*bundle.contentsOfResource("MCCFile", "txt", "/"),
                                          [&](const DataFileLines &lines) { table.appendRows(lines); }));
    EXPECT_EQ(QSet<QString>(table.mccArray().begin(), table.mccArray().end()), keys);
    for (const QString &code : table.tccArray())
        EXPECT_TRUE(!code.isEmpty() && code.toULongLong() > 0) << code.toStdString();
}
} // namespace
