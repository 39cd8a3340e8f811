#include "datafile/DataFileCheck.h"

#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileLines.h"

#include <algorithm>
#include <cstring>

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

void DataFileCheck::checkLine(QLatin1StringView line)
{
    ++m_lines;
    if (isAccessNumberLine(line))
        m_foundLine = true;
    else if (m_badLine == 0 && std::memchr(line.data(), ' ', size_t(line.size())))
        m_badLine = m_lines; // it names a key, but what follows is no access number
}

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
    // Every line of a download passes here: Qt's search for a character cost more than all the
    // rest on lines this short.
    const auto *space = static_cast<const char *>(std::memchr(line.data(), ' ', size_t(line.size())));
    if (!space || space == line.data())
        return false;
    const auto printable = [](char c) { return c >= ' ' && c <= '~'; };
    // The number admits no other characters than printable ones itself.
    return std::all_of(line.data(), space, printable) && isAccessNumber(QLatin1StringView(space, line.end()));
}

bool DataFileCheck::isAccessNumber(QLatin1StringView number)
{
    int digits = 0;
    bool plus = false;
    for (const char c : number) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '+' && digits == 0 && !plus)
            plus = true;
        else if (c != ' ')
            return false;
    }
    return digits >= 3;
}
