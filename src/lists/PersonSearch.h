#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <initializer_list>

// What is typed into the search field of a person list. Every word must begin a word of one of
// the person's names or organisation, ignoring case and accents ("mü" finds Müller). A word
// of digits, which may be written with "+", "-", "(" and ")", begins a name word too, or
// the digits of all such words together appear in one of the person's numbers, whatever
// its formatting ("+49 30" and "4930" find "+49 30 1234567").
class PersonSearch
{
public:
    explicit PersonSearch(const QString &text);

    bool isEmpty() const { return m_textWords.isEmpty() && m_digitWords.isEmpty(); }
    // True when the search needs the persons' numbers.
    bool hasDigits() const { return !m_digitWords.isEmpty(); }
    // A person's `words` as appendWords writes them; `numbers` as appendNumber does (empty when
    // the numbers were not read).
    bool matches(QStringView words, QStringView numbers) const;

    // Adds the words of a person's texts to `words`: each after a blank, in lower case and
    // without accents.
    static void appendWords(QString &words, std::initializer_list<QStringView> texts);
    // Adds one of a person's numbers, as written in UTF-8, to `numbers`: a blank, then its digits.
    static void appendNumber(QString &numbers, QByteArrayView number);

private:
    QStringList m_textWords;  // folded, each after a blank
    QStringList m_digitWords; // the digits of a word, after a blank
    QString m_digits;         // the digits of every digit word, together
};
