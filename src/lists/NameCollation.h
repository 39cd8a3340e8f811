#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QStringView>

struct UCollator;

// Names compared as a reader of the user's language compares them, case aside: ICU's collation
// for the locale, set up as Qt's case-insensitive QCollator sets it up. ICU is used directly for
// its sort keys' bytes: a list of 10,000 persons keeps them side by side and settles most
// comparisons on their first eight bytes, where a QCollatorSortKey is three pointers away.
class NameCollation
{
public:
    // The C locale has no collation (it compares code points, Müller after Zander): the common
    // order of the Latin alphabet stands in for it.
    explicit NameCollation(const QLocale &locale);
    ~NameCollation();
    NameCollation(const NameCollation &) = delete;
    NameCollation &operator=(const NameCollation &) = delete;

    const QLocale &locale() const { return m_locale; }
    // Keys compare as their texts do when compared as bytes, unsigned, a key that is the
    // beginning of another first (compareKeys).
    QByteArray sortKey(QStringView text) const;
    // The keys of many texts, in their order. Ten thousand names cost ICU 30 million
    // instructions: a long list is shared among the processor's cores.
    QList<QByteArray> sortKeys(const QList<QString> &texts) const;
    int compare(QStringView a, QStringView b) const;

    static int compareKeys(QByteArrayView a, QByteArrayView b);

private:
    QLocale m_locale;
    UCollator *m_collator = nullptr; // none when ICU has no collation for it: code points, case folded
};
