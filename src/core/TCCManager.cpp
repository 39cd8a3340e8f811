#include "core/TCCManager.h"

#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"

const QString TCCManager::fileName = QStringLiteral("MCCFile.txt");

TCCManager::TCCManager(QString mccFilePath)
    : m_path(std::move(mccFilePath))
{
    loadTCCInfo();
}

void TCCManager::loadTCCInfo()
{
    if (m_path.isEmpty())
        return;
    // Rows are kept aside until the whole file has deciphered.
    TCCManager read;
    if (!DataFileReader::read(m_path, [&](const DataFileLines &lines) { read.appendRows(lines); }))
        return;
    m_mccArray += read.m_mccArray;
    m_tccArray += read.m_tccArray;
}

void TCCManager::appendRows(const DataFileLines &file)
{
    for (const QLatin1StringView line : file) {
        const qsizetype first = line.indexOf(QLatin1Char(' '));
        if (first < 0)
            continue;
        const qsizetype second = line.indexOf(QLatin1Char(' '), first + 1);
        m_mccArray.append(line.first(first).toString());
        m_tccArray.append(line.sliced(first + 1, (second < 0 ? line.size() : second) - first - 1)
                              .toString());
    }
}

bool TCCManager::abroadNumber(const QString &number,
                              const std::optional<QString> &simCountryKey) const
{
    if (number.size() < 6)
        return false;
    const QString international =
        number.startsWith(u"00") ? u'+' + number.sliced(2) : number;
    if (!international.startsWith(u'+'))
        return false; // a national number is never a call abroad
    for (qsizetype row = 0; row < m_mccArray.size(); ++row) {
        if (simCountryKey && m_mccArray[row] == *simCountryKey
            && international.indexOf(m_tccArray[row]) == 1)
            return false; // a domestic number written in international form
    }
    return true;
}
