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

// A long list's keys are made on several threads, each with its own collator.
TEST(NameCollationTest, ManyKeysAreTheKeysMadeOneByOne)
{
    const NameCollation collation(QLocale(QLocale::German));
    QList<QString> names;
    for (int i = 0; i < 5000; ++i)
        names.append(QStringLiteral("%1ller %2").arg(QChar(u"MmÄäÖZz"[i % 7])).arg(i * 7919 % 5000));
    const QList<QByteArray> keys = collation.sortKeys(names);
    ASSERT_EQ(keys.size(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        ASSERT_EQ(keys[i], collation.sortKey(names[i])) << names[i].toStdString();
}
} // namespace
