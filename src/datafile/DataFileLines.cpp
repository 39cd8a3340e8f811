#include "datafile/DataFileLines.h"

#include <bit>
#include <cstring>

namespace {
// The first "\r\n" in [from, end), or end. A data file's lines are short, so memchr, started
// afresh for each of them, cost more than the rest of a line's check; this looks at 16 bytes at
// once (GCC's vector types: SSE2 on x86-64, NEON on arm64) and reads the matches off their bits.
const char *lineEnd(const char *from, const char *end)
{
    using Bytes = unsigned char __attribute__((vector_size(16)));
    using Halves = quint64 __attribute__((vector_size(16)));
    const auto endsLine = [end](const char *cr) { return cr + 1 < end && cr[1] == '\n'; };
    const char *at = from;
    for (; end - at >= 16; at += 16) {
        Bytes bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        // Two halves in registers; a lane that holds "\r" is a byte of ones, lowest address
        // lowest.
        const auto halves = reinterpret_cast<Halves>(bytes == Bytes{} + '\r');
        for (int half = 0; half < 2; ++half) {
            for (quint64 lanes = halves[half]; lanes != 0;) {
                const int bit = std::countr_zero(lanes);
                if (const char *cr = at + half * 8 + bit / 8; endsLine(cr))
                    return cr;
                lanes &= ~(quint64(0xff) << bit);
            }
        }
    }
    for (; at < end; ++at) {
        if (*at == '\r' && endsLine(at))
            return at;
    }
    return end;
}
static_assert(std::endian::native == std::endian::little);
}

DataFileLines::const_iterator::const_iterator(QLatin1StringView text)
    : m_start(text.data() ? text.data() : "")
    , m_end(lineEnd(m_start, m_start + text.size()))
    , m_textEnd(m_start + text.size())
{
}

DataFileLines::const_iterator &DataFileLines::const_iterator::operator++()
{
    if (m_end == m_textEnd) {
        m_start = m_end = m_textEnd = nullptr; // that was the piece after the last "\r\n"
    } else {
        m_start = m_end + 2;
        m_end = lineEnd(m_start, m_textEnd);
    }
    return *this;
}
