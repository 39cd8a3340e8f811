#include "access/LANManger.h"

#include "access/DataFileLines.h"
#include "access/LANFileParser.h"

const QString LANManger::fileName = QStringLiteral("LANFile.txt");

LANManger::LANManger(QString lanFilePath)
    : m_path(std::move(lanFilePath))
{
}

QStringList LANManger::lanNumbers() const
{
    const std::lock_guard lock(m_swap);
    return m_lanNumbers; // implicitly shared: the copy is the list as it is now
}

QStringList LANManger::countriesArray() const
{
    const std::lock_guard lock(m_swap);
    return m_countriesArray;
}

void LANManger::loadLANArray(const QString &key)
{
    const std::lock_guard loading(m_loading);
    QStringList numbers = readNumbers(key);
    const std::lock_guard lock(m_swap);
    m_lanNumbers.swap(numbers);
}

QStringList LANManger::devryptLANFile(const QString &key)
{
    const std::lock_guard loading(m_loading);
    return readNumbers(key);
}

QStringList LANManger::readNumbers(const QString &key)
{
    const auto file = DataFileLines::read(m_path);
    if (!file)
        return {};
    LANFileParser::Result parsed = LANFileParser::parse(*file, key);

    QStringList countries = countriesArray();
    const qsizetype known = countries.size();
    for (QString &fileKey : parsed.keys) {
        if (!m_knownKeys.contains(fileKey)) {
            m_knownKeys.insert(fileKey);
            countries.append(std::move(fileKey));
        }
    }
    if (countries.size() != known) {
        const std::lock_guard lock(m_swap);
        m_countriesArray.swap(countries);
    }
    return parsed.numbers;
}
