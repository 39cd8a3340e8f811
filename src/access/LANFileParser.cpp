#include "access/LANFileParser.h"

#include "datafile/DataFileLines.h"
#include "datafile/KeySet.h"

#include <cstring>

namespace {
constexpr std::string_view lineEnd = "\r\n";

// "key " as Latin-1 bytes; none when the key holds a character that no byte stands for, since
// such a key occurs in no line.
std::optional<std::string> prefixOf(QStringView key)
{
    std::string prefix;
    prefix.reserve(size_t(key.size()) + 1);
    for (const QChar c : key) {
        if (c.unicode() > 0xff)
            return std::nullopt;
        prefix += char(c.unicode());
    }
    prefix += ' ';
    return prefix;
}

QString numberFrom(std::string_view line, std::string_view prefix)
{
    std::string number;
    number.reserve(line.size());
    for (size_t at = 0; at < line.size();) {
        if (line.compare(at, prefix.size(), prefix) == 0) {
            at += prefix.size();
        } else {
            number += line[at];
            ++at;
        }
    }
    std::erase(number, ' ');
    return QString::fromLatin1(number.data(), qsizetype(number.size()));
}

// The first occurrence of `needle` (one byte or more) in [from, end), or null. glibc's memmem
// took over half of a load, and a skipping search (Horspool) took longer still on lines of
// digits, where a key's bytes are everywhere. This one compares 16 positions at once with the
// needle's first eight bytes (a key is rarely longer) and the rest only where those matched.
// GCC's vector types make it SSE2 on x86-64 and NEON on arm64.
const char *findIn(const char *from, const char *end, std::string_view needle)
{
    using Bytes = unsigned char __attribute__((vector_size(16)));
    using Halves = quint64 __attribute__((vector_size(16)));
    const size_t length = needle.size();
    if (end - from < qsizetype(length))
        return nullptr;
    const char *const lastStart = end - length; // the last position the needle can begin at
    const size_t compared = std::min<size_t>(length, 8);
    Bytes wanted[8];
    for (size_t j = 0; j < compared; ++j)
        wanted[j] = Bytes{} + static_cast<unsigned char>(needle[j]);
    const auto rest = [&](const char *at) {
        return std::memcmp(at + compared, needle.data() + compared, length - compared) == 0;
    };
    const char *at = from;
    // 16 positions at a time while the needle at the 16th still lies in the text.
    for (; at + 15 <= lastStart; at += 16) {
        auto matches = Bytes{} == Bytes{}; // every lane set
        for (size_t j = 0; j < compared; ++j) {
            Bytes bytes;
            std::memcpy(&bytes, at + j, sizeof bytes);
            matches &= bytes == wanted[j];
        }
        // Read as two halves in registers: through memory the second half waits for the store.
        const auto halves = reinterpret_cast<Halves>(matches);
        if ((halves[0] | halves[1]) == 0)
            continue;
        for (int i = 0; i < 16; ++i) {
            if (matches[i] && rest(at + i))
                return at + i;
        }
    }
    for (; at <= lastStart; ++at) {
        if (std::memcmp(at, needle.data(), length) == 0)
            return at;
    }
    return nullptr;
}

// Where the line holding `at` begins: after the last "\r\n" that ends at or before it.
const char *lineStart(const char *text, const char *at)
{
    while (at > text) {
        const auto *lf = static_cast<const char *>(memrchr(text, '\n', size_t(at - text)));
        if (!lf)
            return text;
        if (lf > text && lf[-1] == '\r')
            return lf + 1;
        at = lf;
    }
    return text;
}
} // namespace

LANFileParser::LANFileParser(QStringView key)
    : m_prefix(key.isEmpty() ? std::nullopt : prefixOf(key))
{
}

void LANFileParser::addLines(const DataFileLines &lines)
{
    if (!m_prefix)
        return;
    const char *const text = lines.text().data();
    const char *const end = text + lines.text().size();
    for (const char *hit = findIn(text, end, *m_prefix); hit; ) {
        // The line around the occurrence. One that starts inside a line end, or runs over one,
        // lies in no line: look again just after it.
        const char *stop = findIn(hit, end, lineEnd);
        if (!stop)
            stop = end;
        if ((hit > text && hit[-1] == '\r' && hit[0] == '\n') || hit + m_prefix->size() > stop) {
            hit = findIn(hit + 1, end, *m_prefix);
            continue;
        }
        const char *const start = lineStart(text, hit);
        m_numbers.append(numberFrom(std::string_view(start, size_t(stop - start)), *m_prefix));
        // Every occurrence in this line went into its number: on with the next line.
        hit = stop == end ? nullptr : findIn(stop + lineEnd.size(), end, *m_prefix);
    }
}

QStringList LANFileParser::newKeys(const DataFileLines &lines, KeySet &known)
{
    QStringList keys;
    for (const QLatin1StringView latin1 : lines) {
        const auto *space = static_cast<const char *>(std::memchr(latin1.data(), ' ', size_t(latin1.size())));
        if (!space)
            continue;
        const std::string_view key(latin1.data(), size_t(space - latin1.data()));
        if (known.insert(key))
            keys.append(QString::fromLatin1(key.data(), qsizetype(key.size())));
    }
    return keys;
}

LANFileParser::Result LANFileParser::parse(const DataFileLines &lines, QStringView key)
{
    LANFileParser parser(key);
    parser.addLines(lines);
    KeySet known;
    return {parser.takeNumbers(), newKeys(lines, known)};
}
