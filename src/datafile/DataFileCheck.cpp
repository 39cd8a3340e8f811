#include "datafile/DataFileCheck.h"

#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileLines.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {
// Lanes are read lowest address first.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint64_t ones = 0x0101010101010101;
constexpr std::uint64_t highBits = 0x80 * ones;

std::uint64_t wordAt(const char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The bytes of `word` from `first` to `last`, each marked by its top bit. Each byte is judged
// on its own: its low seven bits plus a constant stay below 0x100, so no carry reaches the next.
std::uint64_t marksBetween(std::uint64_t word, char first, char last)
{
    const std::uint64_t low = word & ~highBits;
    const std::uint64_t fromFirst = low + std::uint64_t(0x80 - first) * ones;
    const std::uint64_t pastLast = low + std::uint64_t(0x7f - last) * ones;
    return fromFirst & ~pastLast & ~word & highBits;
}

// The digits among the eight bytes at `bytes`, marked, when they hold nothing but digits and
// spaces; none otherwise.
std::optional<std::uint64_t> digitsAmongSpaces(const char *bytes)
{
    const std::uint64_t word = wordAt(bytes);
    // Eight digits, the most common case, in the fewest steps: subtracting '0' sets a byte's top
    // bit below '0' and adding 0x46 above '9'; a carry or borrow between bytes starts only at a
    // byte that is no digit, which has set its own bit already.
    if ((((word - '0' * ones) | (word + 0x46 * ones)) & highBits) == 0)
        return highBits;
    const std::uint64_t digits = marksBetween(word, '0', '9');
    if ((digits | marksBetween(word, ' ', ' ')) != highBits)
        return std::nullopt;
    return digits;
}

// How many bytes `marks` marks. The sum of their ones, gathered in the top byte by the
// multiplication, costs less than a call to the processor-neutral popcount.
int marked(std::uint64_t marks) { return int(((marks >> 7) * ones) >> 56); }

// Every line of a download passes through these two, so they are written to be inlined into
// the check's loop.
[[gnu::always_inline]] inline bool accessNumber(const char *c, const char *const end)
{
    const char *const start = c;
    int digits = 0;
    // Most numbers begin with their "+", which would spoil their first eight bytes.
    bool plus = c != end && *c == '+';
    if (plus)
        ++c;
    while (c != end) {
        // A download's numbers are digits in groups: those go eight bytes at a time, and a
        // rest of fewer as the number's last eight bytes when it is that long (the bytes read
        // again were digits or spaces too, or this fails and the rest goes byte by byte).
        if (end - c >= 8) {
            if (const auto marks = digitsAmongSpaces(c)) {
                digits += marked(*marks);
                c += 8;
                continue;
            }
        } else if (end - start >= 8) {
            if (const auto marks = digitsAmongSpaces(end - 8)) {
                digits += marked(*marks >> (8 * (8 - (end - c))));
                break;
            }
        }
        if (*c >= '0' && *c <= '9')
            ++digits;
        else if (*c == '+' && digits == 0 && !plus)
            plus = true;
        else if (*c != ' ')
            return false;
        ++c;
    }
    return digits >= 3;
}

// Where the key of the eight bytes at `bytes` ends: the first space, when it is among them and
// every byte before it is printable; null otherwise.
const char *keyEnd(const char *bytes)
{
    const std::uint64_t word = wordAt(bytes);
    const std::uint64_t spaces = marksBetween(word, ' ', ' ');
    if (spaces == 0)
        return nullptr;
    const int space = std::countr_zero(spaces) / 8;
    const std::uint64_t before = (std::uint64_t(1) << (8 * space)) - 1;
    return (marksBetween(word, ' ', '~') & before) == (highBits & before) ? bytes + space : nullptr;
}

[[gnu::always_inline]] inline bool accessNumberLine(const char *const line, const char *const end)
{
    // The key: printable characters up to the first space (the number admits no others
    // itself). Keys are short: most end within the line's first eight bytes.
    const char *c = end - line >= 8 ? keyEnd(line) : nullptr;
    if (!c) {
        for (c = line; c != end && *c != ' '; ++c) {
            if (static_cast<unsigned char>(*c) < ' ' || static_cast<unsigned char>(*c) > '~')
                return false;
        }
    }
    return c != end && c != line && accessNumber(c + 1, end);
}
}

inline void DataFileCheck::checkLine(QLatin1StringView line)
{
    ++m_lines;
    if (accessNumberLine(line.data(), line.data() + line.size()))
        m_foundLine = true;
    else if (m_badLine == 0 && std::memchr(line.data(), ' ', size_t(line.size())))
        m_badLine = m_lines; // it names a key, but what follows is no access number
}

DataFileCheck::DataFileCheck(std::function<void(const DataFileLines &)> read)
    : m_decoder(std::make_unique<DataFileDecoder>([this, read = std::move(read)](const DataFileLines &lines) {
        for (const QLatin1StringView line : lines)
            checkLine(line);
        if (read)
            read(lines);
    }))
{
}

DataFileCheck::~DataFileCheck() = default;

void DataFileCheck::feed(QByteArrayView bytes)
{
    if (!m_broken)
        m_broken = !m_decoder->feed(bytes);
}

DataFileCheck::Verdict DataFileCheck::finish()
{
    if (m_broken || !m_decoder->finish())
        return Verdict::DoesNotDecipher;
    if (!m_foundLine)
        return Verdict::NoAccessNumbers;
    return m_badLine == 0 ? Verdict::Valid : Verdict::LineWithoutAccessNumber;
}

bool DataFileCheck::isAccessNumberLine(QLatin1StringView line)
{
    return accessNumberLine(line.data(), line.data() + line.size());
}

bool DataFileCheck::isAccessNumber(QLatin1StringView number)
{
    return accessNumber(number.data(), number.data() + number.size());
}
