#include "datafile/DataFileLines.h"

#include <cstring>

namespace {
// The first "\r\n" in [from, end), or end.
const char *lineEnd(const char *from, const char *end)
{
    while (from < end) {
        const auto *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(end - from)));
        if (!cr)
            break;
        if (cr + 1 < end && cr[1] == '\n')
            return cr;
        from = cr + 1;
    }
    return end;
}
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
