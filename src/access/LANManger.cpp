#include "access/LANManger.h"

#include "access/LANFileParser.h"
#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"

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

QStringList LANManger::countriesArray()
{
    const std::lock_guard loading(m_loading);
    if (m_keysUnread) {
        m_keysUnread = false;
        // Gathered aside: a file that turns out not to decipher adds nothing.
        KeySet known = m_knownKeys;
        QStringList keys;
        const bool read =
            DataFileReader::read(m_path, [&](const DataFileLines &lines) { keys += LANFileParser::newKeys(lines, known); });
        if (read && !keys.isEmpty()) {
            m_knownKeys = std::move(known);
            const std::lock_guard lock(m_swap);
            m_countriesArray += keys;
        }
    }
    const std::lock_guard lock(m_swap);
    return m_countriesArray;
}

void LANManger::loadLANArray(const QString &key)
{
    const std::lock_guard loading(m_loading);
    swapIn(readNumbers(key));
}

void LANManger::adoptLANArray(QStringList numbers)
{
    const std::lock_guard loading(m_loading);
    m_fileUnreadable.store(false);
    m_keysUnread = true;
    swapIn(std::move(numbers));
}

void LANManger::swapIn(QStringList numbers)
{
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
    LANFileParser parser(key);
    const bool read = DataFileReader::read(m_path, [&](const DataFileLines &lines) { parser.addLines(lines); });
    m_fileUnreadable.store(!read);
    if (!read)
        return {}; // what a file that does not decipher gave so far is dropped
    m_keysUnread = true;
    return parser.takeNumbers();
}
