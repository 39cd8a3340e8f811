#pragma once

#include <QStringList>
#include <QStringView>
#include "datafile/KeySet.h"

#include <optional>
#include <string>

class DataFileLines;

// The lines of an access number file: "KEY NUMBER", the key running from the start of the line
// to its first space, the number possibly holding spaces of its own. Fed the file's lines run by
// run, in file order.
class LANFileParser
{
public:
    struct Result
    {
        QStringList numbers; // the numbers of the key asked for, in file order, spaces removed
        QStringList keys;    // every key of the file not known before, in order of first appearance
    };

    // Lines without a space are ignored. Every other line names its key; it gives a number for
    // `key` when "key " occurs anywhere in it (not only at its start): the number is the line
    // with every occurrence of "key " removed and then every space removed. An empty key names
    // no country and gives no numbers.
    // `known` holds the keys met before, which `keys` leaves out.
    explicit LANFileParser(QStringView key, KeySet known = {});

    void addLines(const DataFileLines &lines);
    const Result &result() const { return m_result; }
    Result takeResult() { return std::move(m_result); }
    // The keys known before and those met since.
    KeySet takeKnownKeys() { return std::move(m_seen); }

    // The result of one run of lines.
    static Result parse(const DataFileLines &lines, QStringView key);

private:
    std::optional<std::string> m_prefix; // "key " as Latin-1 bytes
    KeySet m_seen;
    Result m_result;
};
