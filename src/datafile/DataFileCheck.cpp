#include "datafile/DataFileCheck.h"

#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileLines.h"

#include <cstdint>
#include <cstring>

namespace {
// Whether the eight bytes at `bytes` are all ASCII digits. In each byte, subtracting '0' sets the
// top bit below '0' and adding 0x46 sets it above '9'; a carry or borrow between bytes starts
// only at a byte that is no digit, which has already set its own bit.
inline bool eightDigits(const char *bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    constexpr std::uint64_t ones = 0x0101010101010101;
    return (((word - '0' * ones) | (word + 0x46 * ones)) & (0x80 * ones)) == 0;
}

// Every line of a download passes through these two, so they are written to be inlined into
// the check's loop.
[[gnu::always_inline]] inline bool accessNumber(const char *c, const char *const end)
{
    const char *const start = c;
    int digits = 0;
    bool plus = false;
    while (c != end) {
        // A download's numbers are mostly runs of digits: those go eight at a time, and a rest
        // of fewer as the number's last eight bytes when it is that long.
        if (end - c >= 8 && eightDigits(c)) {
            digits += 8;
            c += 8;
            continue;
        }
        if (end - c < 8 && end - start >= 8 && eightDigits(end - 8)) {
            digits += int(end - c);
            break;
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

[[gnu::always_inline]] inline bool accessNumberLine(const char *const line, const char *const end)
{
    // The key: printable characters up to the first space (the number admits no others
    // itself). Keys are short, so a plain loop costs less than starting a search for the space.
    const char *c = line;
    for (; c != end && *c != ' '; ++c) {
        if (static_cast<unsigned char>(*c) < ' ' || static_cast<unsigned char>(*c) > '~')
            return false;
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

DataFileCheck::DataFileCheck()
    : m_decoder(std::make_unique<DataFileDecoder>([this](const DataFileLines &lines) {
        for (const QLatin1StringView line : lines)
            checkLine(line);
        // The decoder hands out runs of whole lines, each without the line end that ends it.
        if (m_runs++ > 0)
            m_text += "\r\n";
        m_text += QByteArrayView(lines.text().data(), lines.text().size());
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
