#include "lists/NameCollation.h"

#include <gtest/gtest.h>

#include <QString>

namespace {
int sign(int order) { return (order > 0) - (order < 0); }

// The keys order the names as the collation compares them, in the language given.
TEST(NameCollationTest, KeysOrderAsTheLanguageComparesCaseAside)
{
    const struct
    {
        QLocale locale;
        const char *a;
        const char *b;
        int order;
    } cases[] = {
        {QLocale(QLocale::English), "anna", "Anna", 0},
        {QLocale(QLocale::English), "Müller", "Zander", -1},
        {QLocale::c(), "Müller", "Zander", -1}, // not by code point
        {QLocale(QLocale::English), "e\u0301mile", "\u00e9mile", 0},
        {QLocale(QLocale::English), "", "A", -1},
        {QLocale(QLocale::English), "Berg", "Berger", -1},
        {QLocale(QLocale::Swedish), "Ängel", "Zorn", 1},
        {QLocale(QLocale::Danish), "Aaron", "Adam", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b + " in " + c.locale.name().toStdString());
        const NameCollation collation(c.locale);
        const QString a = QString::fromUtf8(c.a);
        const QString b = QString::fromUtf8(c.b);
        EXPECT_EQ(sign(collation.compare(a, b)), c.order);
        EXPECT_EQ(sign(NameCollation::compareKeys(collation.sortKey(a), collation.sortKey(b))), c.order);
    }
}

// Keys made while the texts come in, on helper threads and from the far end, are the keys made
// one by one: more texts than expected, fewer, too few for a helper, and the C locale, which
// has no collator to share.
TEST(NameCollationTest, KeysMadeWhileTextsComeAreTheKeysMadeOneByOne)
{
    const struct
    {
        QLocale locale;
        qsizetype expected;
        int added;
    } cases[] = {{QLocale(QLocale::German), 5000, 5000},
                 {QLocale(QLocale::German), 3000, 5000},
                 {QLocale(QLocale::German), 10000, 2500},
                 {QLocale(QLocale::German), 10000, 100},
                 {QLocale::c(), 5000, 5000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.expected) + " expected, " + std::to_string(c.added) + " added");
        const NameCollation collation(c.locale);
        QList<QString> names;
        SortKeyMaker maker(collation, c.expected);
        for (int i = 0; i < c.added; ++i) {
            names.append(QStringLiteral("%1ller %2").arg(QChar(u"MmÄäÖZz"[i % 7])).arg(i * 7919 % 5000));
            maker.add(names.back());
        }
        const QList<QByteArray> keys = maker.take();
        ASSERT_EQ(keys.size(), names.size());
        for (qsizetype i = 0; i < names.size(); ++i)
            ASSERT_EQ(keys[i], collation.sortKey(names[i])) << names[i].toStdString();
    }
}

// A maker dropped while its helpers wait for texts lets them go.
TEST(NameCollationTest, AMakerLeftUntakenEnds)
{
    const NameCollation collation(QLocale(QLocale::German));
    SortKeyMaker maker(collation, 10000);
    for (int i = 0; i < 1000; ++i)
        maker.add(QString::number(i));
}
} // namespace
