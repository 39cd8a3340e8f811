#pragma once

#include <QStringList>
#include <QStringView>

class DataFileLines;

// The lines of an access number file: "KEY NUMBER", the key running from the start of the line
// to its first space, the number possibly holding spaces of its own.
class LANFileParser
{
public:
    LANFileParser() = delete;

    struct Result
    {
        QStringList numbers; // the numbers of the key asked for, in file order, spaces removed
        QStringList keys;    // every key of the file, in order of first appearance
    };

    // Lines without a space are ignored. Every other line names its key; it gives a number for
    // `key` when "key " occurs anywhere in it (not only at its start): the number is the line
    // with every occurrence of "key " removed and then every space removed. An empty key names
    // no country and gives no numbers.
    static Result parse(const DataFileLines &file, QStringView key);
};
