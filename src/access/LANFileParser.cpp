#include "access/LANFileParser.h"

#include "access/DataFileLines.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

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

// FNV-1a: keys are a few bytes long, where it beats the general-purpose hashes.
struct KeyHash
{
    size_t operator()(std::string_view key) const noexcept
    {
        quint64 hash = 14695981039346656037ull;
        for (const unsigned char c : key) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
        return size_t(hash ^ (hash >> 32));
    }
};

// The first occurrence of `needle` in [from, end), or null.
const char *findIn(const char *from, const char *end, std::string_view needle)
{
    return static_cast<const char *>(memmem(from, size_t(end - from), needle.data(), needle.size()));
}
} // namespace

LANFileParser::Result LANFileParser::parse(const DataFileLines &file, QStringView key)
{
    Result result;
    const std::optional<std::string> prefix = key.isEmpty() ? std::nullopt : prefixOf(key);
    const char *const textEnd = file.text().data() + file.text().size();
    // The prefix is searched through the whole text, not line by line; `hit` is the first
    // occurrence not before the current line.
    const char *hit = prefix ? findIn(file.text().data(), textEnd, *prefix) : nullptr;
    // Views into the text: a key is copied only when it is met for the first time.
    std::unordered_set<std::string_view, KeyHash> seen;
    seen.reserve(1024);
    for (const QLatin1StringView latin1 : file) {
        const std::string_view line(latin1.data(), size_t(latin1.size()));
        const auto *space = static_cast<const char *>(std::memchr(line.data(), ' ', line.size()));
        if (!space)
            continue;
        const std::string_view lineKey(line.data(), size_t(space - line.data()));
        if (seen.insert(lineKey).second)
            result.keys.append(QString::fromLatin1(lineKey.data(), qsizetype(lineKey.size())));
        if (!hit)
            continue;
        if (hit < line.data()) // an occurrence across a line end, or in a skipped line
            hit = findIn(line.data(), textEnd, *prefix);
        // The line holds the prefix when its first occurrence from here lies inside the line.
        if (hit && hit + prefix->size() <= line.data() + line.size())
            result.numbers.append(numberFrom(line, *prefix));
    }
    return result;
}
