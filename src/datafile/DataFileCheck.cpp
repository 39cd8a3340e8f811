#include "datafile/DataFileCheck.h"

#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileLines.h"

#include <algorithm>

DataFileCheck::DataFileCheck()
    : m_decoder(std::make_unique<DataFileDecoder>([this](const DataFileLines &lines) {
        if (!m_foundLine)
            m_foundLine = std::any_of(lines.begin(), lines.end(), &DataFileCheck::isAccessNumberLine);
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
    return m_foundLine ? Verdict::Valid : Verdict::NoAccessNumbers;
}

bool DataFileCheck::isAccessNumberLine(QLatin1StringView line)
{
    const qsizetype space = line.indexOf(u' ');
    if (space <= 0)
        return false;
    const auto printable = [](char c) { return c >= ' ' && c <= '~'; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return std::all_of(line.begin(), line.end(), printable) && std::any_of(line.begin() + space, line.end(), digit);
}
