#include "lists/PersonSearch.h"

#include <algorithm>

namespace {
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// What may stand between the digits of a number as people write it.
bool isNumberPunctuation(QChar c) { return c == u'+' || c == u'-' || c == u'(' || c == u')'; }

// Appending a character at a time costs a call and a capacity check each: characters are
// written straight into room made for the whole text, and what is left over is cut off.
template<typename Text, typename Write>
void appendEach(QString &out, Text text, qsizetype most, Write write)
{
    const qsizetype start = out.size();
    out.resize(start + most);
    QChar *const first = out.data() + start;
    QChar *last = first;
    for (auto c : text)
        write(QChar(c), last);
    out.truncate(start + (last - first));
}

// The digits are ASCII, so UTF-8 text is read byte by byte: no byte of a longer character is one.
template<typename Text>
void appendDigits(QString &out, Text text)
{
    appendEach(out, text, text.size(), [](QChar c, QChar *&to) {
        if (isDigit(c))
            *to++ = c;
    });
}

// Appends the words of `text`, each after a blank, in lower case and without accents.
void appendWordsOf(QString &out, QStringView text)
{
    // Most names are plain ASCII: lowered as they are read, without decomposing them.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        bool inWord = false;
        appendEach(out, text, 2 * text.size(), [&inWord](QChar c, QChar *&to) {
            char16_t u = c.unicode();
            if (u >= u'A' && u <= u'Z') {
                u += u'a' - u'A';
            } else if (!(u >= u'a' && u <= u'z') && !isDigit(c)) {
                inWord = false;
                return;
            }
            if (!inWord)
                *to++ = u' ';
            inWord = true;
            *to++ = u;
        });
        return;
    }
    // The marks that decomposition splits off are the accents.
    QString plain = text.toString().normalized(QString::NormalizationForm_D);
    plain.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    plain = std::move(plain).toCaseFolded();
    bool inWord = false;
    appendEach(out, plain, 2 * plain.size(), [&inWord](QChar c, QChar *&to) {
        if (c.isSpace() || c.isPunct() || c.isSymbol()) {
            inWord = false;
            return;
        }
        if (!inWord)
            *to++ = u' ';
        inWord = true;
        *to++ = c;
    });
}
} // namespace

PersonSearch::PersonSearch(const QString &text)
{
    for (const QString &word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const bool digitWord = std::all_of(word.begin(), word.end(), [](QChar c) { return isDigit(c) || isNumberPunctuation(c); })
                               && std::any_of(word.begin(), word.end(), isDigit);
        if (digitWord) {
            QString digits(u' ');
            appendDigits(digits, word);
            m_digitWords.append(digits);
            m_digits += QStringView(digits).sliced(1);
        } else {
            QString words;
            appendWordsOf(words, word);
            for (QStringView part : QStringView(words).split(u' ', Qt::SkipEmptyParts))
                m_textWords.append(u' ' + part.toString());
        }
    }
}

bool PersonSearch::matches(QStringView words, QStringView numbers) const
{
    for (const QString &word : m_textWords) {
        if (!words.contains(word))
            return false;
    }
    if (m_digitWords.isEmpty() || numbers.contains(m_digits))
        return true;
    return std::all_of(m_digitWords.begin(), m_digitWords.end(), [&](const QString &word) { return words.contains(word); });
}

void PersonSearch::appendWords(QString &words, std::initializer_list<QStringView> texts)
{
    for (QStringView text : texts)
        appendWordsOf(words, text);
}

void PersonSearch::appendNumber(QString &numbers, QByteArrayView number)
{
    numbers += u' ';
    appendDigits(numbers, number);
}
