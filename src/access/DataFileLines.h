#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <iterator>
#include <optional>

// The plain text of a data file, read the way every table reads it, cut into lines at "\r\n".
// Every byte is one character (Latin-1), so character positions are byte positions. The lines
// are views of the deciphered bytes held by this object, found as they are walked through.
class DataFileLines
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QLatin1StringView;
        using difference_type = std::ptrdiff_t;
        using pointer = const QLatin1StringView *;
        using reference = QLatin1StringView;

        const_iterator() = default;
        QLatin1StringView operator*() const { return QLatin1StringView(m_start, m_end); }
        const_iterator &operator++();
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator &other) const { return m_start == other.m_start; }

    private:
        friend class DataFileLines;
        const_iterator(const char *start, const char *textEnd);

        const char *m_start = nullptr; // null past the last line
        const char *m_end = nullptr;
        const char *m_textEnd = nullptr;
    };

    // The reading steps shared by the access number table and the country dialling table:
    // decipher the whole file, take every byte as one character, drop the first 16 characters
    // (the deciphered chaining block) when there are 17 or more, and split at every "\r\n"; the
    // piece after the last "\r\n" is a line too. None when the file does not decipher.
    static std::optional<DataFileLines> fromFileBytes(QByteArray file);
    // The same for the file at `path`; none when it is missing or unreadable too.
    static std::optional<DataFileLines> read(const QString &path);

    // `bytes` from `offset` on, as a text cut at every "\r\n".
    DataFileLines(QByteArray bytes, qsizetype offset);
    DataFileLines(DataFileLines &&) = default;
    DataFileLines &operator=(DataFileLines &&) = default;
    DataFileLines(const DataFileLines &) = delete;
    DataFileLines &operator=(const DataFileLines &) = delete;

    QLatin1StringView text() const { return m_text; }
    const_iterator begin() const { return const_iterator(m_text.data(), m_text.data() + m_text.size()); }
    const_iterator end() const { return {}; }

private:
    QByteArray m_bytes;
    QLatin1StringView m_text;
};
