#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QStringView>
#include <memory>

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
    int compare(QStringView a, QStringView b) const;

    static int compareKeys(QByteArrayView a, QByteArrayView b);

private:
    friend class SortKeyMaker;

    QLocale m_locale;
    UCollator *m_collator = nullptr; // none when ICU has no collation for it: code points, case folded
};

// The sort keys of many texts, made while the texts are still being gathered. Ten thousand names
// cost ICU 30 million instructions, as much as reading them from the address book: once a few
// hundred texts are in, helper threads key each text soon after it is added, and take() keys
// what they have not reached from the other end.
class SortKeyMaker
{
public:
    // About `expected` texts are to come: the helpers see that many at most.
    SortKeyMaker(const NameCollation &collation, qsizetype expected);
    ~SortKeyMaker();
    SortKeyMaker(const SortKeyMaker &) = delete;
    SortKeyMaker &operator=(const SortKeyMaker &) = delete;

    void add(QString text);
    // The keys of the texts added, in their order; once.
    QList<QByteArray> take();

private:
    struct Work;

    void startHelpers();

    const NameCollation &m_collation;
    const qsizetype m_expected;
    std::unique_ptr<Work> m_work;
    QList<QString> m_rest; // past the expected ones, or all without helpers: keyed by take()
};
