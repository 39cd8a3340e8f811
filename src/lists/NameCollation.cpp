#include "lists/NameCollation.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>
#include <unicode/ucol.h>

namespace {
QLocale collationLocale(const QLocale &locale)
{
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

const UChar *utf16(QStringView text) { return reinterpret_cast<const UChar *>(text.utf16()); }

QByteArray keyOf(const UCollator *collator, QStringView text)
{
    QByteArray key(16 + text.size() + text.size() / 4, Qt::Uninitialized);
    const auto write = [&] {
        return ucol_getSortKey(collator, utf16(text), int(text.size()), reinterpret_cast<uint8_t *>(key.data()),
                               int(key.size()));
    };
    int size = write();
    if (size > key.size()) {
        key.resize(size);
        size = write();
    }
    key.truncate(size);
    return key;
}

// Below this many texts a thread costs more than it spares.
constexpr qsizetype textsPerThread = 2000;
} // namespace

NameCollation::NameCollation(const QLocale &locale)
    : m_locale(locale)
{
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = collationLocale(locale).bcp47Name().replace('-', '_').toLatin1();
    m_collator = ucol_open(name.constData(), &status);
    if (U_FAILURE(status)) {
        m_collator = nullptr;
        return;
    }
    // Canonically equivalent texts ("é" written as e and an accent) compare equal; case does
    // not count; blanks and punctuation do.
    const std::pair<UColAttribute, UColAttributeValue> settings[] = {{UCOL_NORMALIZATION_MODE, UCOL_ON},
                                                                    {UCOL_STRENGTH, UCOL_SECONDARY},
                                                                    {UCOL_NUMERIC_COLLATION, UCOL_OFF},
                                                                    {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}};
    for (const auto &[attribute, value] : settings) {
        status = U_ZERO_ERROR;
        ucol_setAttribute(m_collator, attribute, value, &status);
    }
}

NameCollation::~NameCollation()
{
    if (m_collator)
        ucol_close(m_collator);
}

QByteArray NameCollation::sortKey(QStringView text) const
{
    if (!m_collator)
        return text.toString().toCaseFolded().toUtf8();
    return keyOf(m_collator, text);
}

QList<QByteArray> NameCollation::sortKeys(const QList<QString> &texts) const
{
    QList<QByteArray> keys(texts.size());
    QByteArray *const out = keys.data();
    const auto writeKeys = [&](const UCollator *collator, qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            out[i] = keyOf(collator, texts[i]);
    };
    if (!m_collator) {
        for (qsizetype i = 0; i < texts.size(); ++i)
            out[i] = sortKey(texts[i]);
        return keys;
    }
    const qsizetype cores = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype threads = std::clamp<qsizetype>(texts.size() / textsPerThread, 1, cores);
    const auto begin = [&](qsizetype part) { return part * texts.size() / threads; };
    // Each thread compares with a copy of the collator: ICU's are not to be shared. A part whose
    // copy could not be made is done here afterwards.
    std::vector<char> done(size_t(threads), 0);
    {
        std::vector<std::jthread> helpers;
        for (qsizetype part = 1; part < threads; ++part) {
            helpers.emplace_back([&, part] {
                UErrorCode status = U_ZERO_ERROR;
                UCollator *copy = ucol_clone(m_collator, &status);
                if (U_FAILURE(status))
                    return;
                writeKeys(copy, begin(part), begin(part + 1));
                ucol_close(copy);
                done[size_t(part)] = 1;
            });
        }
        writeKeys(m_collator, 0, begin(1));
    }
    for (qsizetype part = 1; part < threads; ++part) {
        if (!done[size_t(part)])
            writeKeys(m_collator, begin(part), begin(part + 1));
    }
    return keys;
}

int NameCollation::compare(QStringView a, QStringView b) const
{
    if (!m_collator)
        return a.compare(b, Qt::CaseInsensitive);
    return ucol_strcoll(m_collator, utf16(a), int(a.size()), utf16(b), int(b.size()));
}

int NameCollation::compareKeys(QByteArrayView a, QByteArrayView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    if (const int order = common ? std::memcmp(a.data(), b.data(), size_t(common)) : 0)
        return order;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
