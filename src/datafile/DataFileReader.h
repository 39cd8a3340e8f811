#pragma once

#include <QByteArrayView>
#include <functional>

class DataFileLines;
class QString;

// The reading steps that the access number table and the country dialling table share: the
// whole file is deciphered (DataFileEnvelope), every byte taken as one character, the first 16
// characters (the deciphered chaining block) dropped when there are 17 or more, and the text
// split at every "\r\n", the piece after the last "\r\n" being a line too.
//
// The file is read into one buffer and deciphered where it lies; its lines are handed out as one
// run, once the whole file has deciphered. (A file too large to hold, which only damage makes,
// is deciphered piece by piece and its lines handed out in runs as they come, before the end
// tells whether it deciphers: a reader keeps what it gathers aside and uses it only when `read`
// says true.)
class DataFileReader
{
public:
    DataFileReader() = delete;

    using LinesVisitor = std::function<void(const DataFileLines &lines)>;

    // Hands the lines of the file at `path` to `visit`, in file order. False when the file is
    // missing, unreadable or does not decipher.
    static bool read(const QString &path, const LinesVisitor &visit);
    // The same for a file's bytes.
    static bool readBytes(QByteArrayView file, const LinesVisitor &visit);

    static constexpr qsizetype pieceSize = 64 * 1024;
};
