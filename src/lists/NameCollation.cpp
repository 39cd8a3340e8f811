#include "lists/NameCollation.h"

#include <QString>
#include <algorithm>
#include <atomic>
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
// Fewer new texts (a reload after a few changes) are keyed sooner than a thread starts.
constexpr size_t helpAfter = 512;
// The helpers learn of new texts this many at a time.
constexpr size_t publishStep = 512;
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

// What the helpers share with the thread that adds the texts. The texts are published to them
// in steps; helpers claim texts from the front, take() from the back, until the two meet.
struct SortKeyMaker::Work
{
    static constexpr quint32 closed = 1u << 31; // every text is in

    std::vector<QString> texts; // never grows past its first capacity: helpers read it
    std::vector<QByteArray> keys;
    std::atomic<quint32> published{0};
    std::atomic<quint64> claims{quint64(closed) << 32}; // the front in the low half, the back in the high
    std::vector<std::jthread> helpers;

    bool claimFront(quint32 limit, quint32 &at)
    {
        quint64 ends = claims.load(std::memory_order_relaxed);
        do {
            if (quint32(ends) >= std::min(limit, quint32(ends >> 32)))
                return false;
        } while (!claims.compare_exchange_weak(ends, ends + 1, std::memory_order_relaxed));
        at = quint32(ends);
        return true;
    }

    bool claimBack(quint32 &at)
    {
        quint64 ends = claims.load(std::memory_order_relaxed);
        do {
            if (quint32(ends >> 32) <= quint32(ends))
                return false;
        } while (!claims.compare_exchange_weak(ends, ends - (quint64(1) << 32), std::memory_order_relaxed));
        at = quint32(ends >> 32) - 1;
        return true;
    }

    // No text past `end` is claimed from the front any more, and the helpers learn that every
    // text is in.
    void close(quint32 end)
    {
        quint64 ends = claims.load(std::memory_order_relaxed);
        while (!claims.compare_exchange_weak(ends, quint64(end) << 32 | quint32(ends), std::memory_order_relaxed)) {
        }
        published.store(quint32(texts.size()) | closed, std::memory_order_release);
        published.notify_all();
    }

    void help(const UCollator *collator)
    {
        for (;;) {
            const quint32 state = published.load(std::memory_order_acquire);
            quint32 at = 0;
            while (claimFront(state & ~closed, at))
                keys[at] = keyOf(collator, texts[at]);
            if (state & closed)
                return;
            published.wait(state, std::memory_order_acquire);
        }
    }
};

SortKeyMaker::SortKeyMaker(const NameCollation &collation, qsizetype expected)
    : m_collation(collation)
    , m_expected(std::clamp<qsizetype>(expected, 0, Work::closed - 1))
    , m_work(std::make_unique<Work>())
{
}

SortKeyMaker::~SortKeyMaker()
{
    m_work->close(0);
}

void SortKeyMaker::add(QString text)
{
    std::vector<QString> &texts = m_work->texts;
    if (texts.capacity() == 0 && m_expected > 0) {
        texts.reserve(size_t(m_expected));
        m_work->keys.resize(texts.capacity());
    }
    if (texts.size() == texts.capacity()) {
        m_rest.append(std::move(text));
        return;
    }
    texts.push_back(std::move(text));
    if (texts.size() == helpAfter)
        startHelpers();
    if (!m_work->helpers.empty() && texts.size() % publishStep == 0) {
        m_work->published.store(quint32(texts.size()), std::memory_order_release);
        m_work->published.notify_all();
    }
}

void SortKeyMaker::startHelpers()
{
    if (!m_collation.m_collator)
        return;
    const qsizetype cores = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype count = std::min(cores - 1, m_expected / textsPerThread);
    for (qsizetype i = 0; i < count; ++i) {
        m_work->helpers.emplace_back([&work = *m_work, collator = m_collation.m_collator] {
            // Each helper keys with a copy of the collator: ICU's are not to be shared. Without a
            // copy it leaves the texts to the others and to take().
            UErrorCode status = U_ZERO_ERROR;
            UCollator *copy = ucol_clone(collator, &status);
            if (U_FAILURE(status))
                return;
            work.help(copy);
            ucol_close(copy);
        });
    }
}

QList<QByteArray> SortKeyMaker::take()
{
    Work &work = *m_work;
    const auto count = quint32(work.texts.size());
    work.close(count);
    quint32 at = 0;
    while (work.claimBack(at))
        work.keys[at] = m_collation.sortKey(work.texts[at]);
    work.helpers.clear(); // joined: their keys are in
    QList<QByteArray> keys;
    keys.reserve(count + m_rest.size());
    for (quint32 i = 0; i < count; ++i)
        keys.append(std::move(work.keys[i]));
    for (const QString &text : std::as_const(m_rest))
        keys.append(m_collation.sortKey(text));
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
