#pragma once

#include <QLatin1StringView>
#include <iterator>

// A run of whole lines of a data file's plain text, separated by "\r\n": every byte is one
// character (Latin-1), so character positions are byte positions. The lines are found as they
// are walked through; the text is not owned.
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
        explicit const_iterator(QLatin1StringView text);

        const char *m_start = nullptr; // null past the last line
        const char *m_end = nullptr;
        const char *m_textEnd = nullptr;
    };

    // `text` cut at every "\r\n"; the piece after the last one is a line too (an empty text is
    // one empty line).
    explicit DataFileLines(QLatin1StringView text)
        : m_text(text)
    {
    }

    QLatin1StringView text() const { return m_text; }
    const_iterator begin() const { return const_iterator(m_text); }
    const_iterator end() const { return {}; }

private:
    QLatin1StringView m_text;
};
