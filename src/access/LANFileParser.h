#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>
#include <string>

class DataFileLines;
class KeySet;

// The lines of an access number file: "KEY NUMBER", the key running from the start of the line
// to its first space, the number possibly holding spaces of its own. Lines without a space are
// ignored.
//
// Loading asks for the numbers of one key only, so they are found by searching the text for the
// key rather than by reading every line; the keys of the file are gathered apart, when asked.
class LANFileParser
{
public:
    struct Result
    {
        QStringList numbers; // the numbers of the key asked for, in file order, spaces removed
        QStringList keys;    // every key of the file, in order of first appearance
    };

    // A line gives a number for `key` when "key " occurs anywhere in it (not only at its start):
    // the number is the line with every occurrence of "key " removed and then every space
    // removed. An empty key names no country and gives no numbers.
    explicit LANFileParser(QStringView key);

    // Fed the file's lines run by run, in file order.
    void addLines(const DataFileLines &lines);
    QStringList takeNumbers() { return std::move(m_numbers); }

    // The keys of `lines` that `known` does not hold yet, in order of first appearance; they are
    // added to it.
    static QStringList newKeys(const DataFileLines &lines, KeySet &known);

    // The numbers of `key` and every key of one run of lines.
    static Result parse(const DataFileLines &lines, QStringView key);

private:
    std::optional<std::string> m_prefix; // "key " as Latin-1 bytes
    QStringList m_numbers;
};
