#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

class QByteArray;

// The plain text of a data file, read the way every table reads it, cut into lines at "\r\n".
// The lines are views into the text held by this object.
class DataFileLines
{
public:
    // The reading steps shared by the access number table and the country dialling table:
    // decipher the whole file, take every byte as one character (Latin-1, so character
    // positions are byte positions), drop the first 16 characters (the deciphered chaining
    // block) when there are 17 or more, and split at every "\r\n"; the piece after the last
    // "\r\n" is a line too. None when the file does not decipher.
    static std::optional<DataFileLines> fromFileBytes(const QByteArray &file);
    // The same for the file at `path`; none when it is missing or unreadable too.
    static std::optional<DataFileLines> read(const QString &path);

    // `text` cut at every "\r\n".
    explicit DataFileLines(QString text);
    DataFileLines(DataFileLines &&) = default;
    DataFileLines &operator=(DataFileLines &&) = default;
    DataFileLines(const DataFileLines &) = delete;
    DataFileLines &operator=(const DataFileLines &) = delete;

    const QString &text() const { return m_text; }
    const std::vector<QStringView> &lines() const { return m_lines; }

private:
    QString m_text;
    std::vector<QStringView> m_lines;
};
