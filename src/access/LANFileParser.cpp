#include "access/LANFileParser.h"

#include "datafile/DataFileLines.h"

#include <cstring>

namespace {
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

// The first occurrence of `needle` in [from, end), or null.
const char *findIn(const char *from, const char *end, std::string_view needle)
{
    return static_cast<const char *>(memmem(from, size_t(end - from), needle.data(), needle.size()));
}
} // namespace

LANFileParser::LANFileParser(QStringView key, KeySet known)
    : m_prefix(key.isEmpty() ? std::nullopt : prefixOf(key))
    , m_seen(std::move(known))
{
}

void LANFileParser::addLines(const DataFileLines &lines)
{
    const char *const textEnd = lines.text().data() + lines.text().size();
    // The prefix is searched through the whole run, not line by line; `hit` is its first
    // occurrence not before the current line.
    const char *hit = m_prefix ? findIn(lines.text().data(), textEnd, *m_prefix) : nullptr;
    for (const QLatin1StringView latin1 : lines) {
        const std::string_view line(latin1.data(), size_t(latin1.size()));
        const auto *space = static_cast<const char *>(std::memchr(line.data(), ' ', line.size()));
        if (!space)
            continue;
        const std::string_view lineKey(line.data(), size_t(space - line.data()));
        if (m_seen.insert(lineKey))
            m_result.keys.append(QString::fromLatin1(lineKey.data(), qsizetype(lineKey.size())));
        if (!hit)
            continue;
        if (hit < line.data()) // an occurrence across a line end, or in a skipped line
            hit = findIn(line.data(), textEnd, *m_prefix);
        // The line holds the prefix when its first occurrence from here lies inside the line.
        if (hit && hit + m_prefix->size() <= line.data() + line.size())
            m_result.numbers.append(numberFrom(line, *m_prefix));
    }
}

LANFileParser::Result LANFileParser::parse(const DataFileLines &lines, QStringView key)
{
    LANFileParser parser(key);
    parser.addLines(lines);
    return parser.takeResult();
}
