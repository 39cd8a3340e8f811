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
// A file is deciphered piece by piece (mapped, or read when it cannot be mapped or is too large
// to, which only damage makes) into one small buffer, and its lines are handed out in runs as
// they come, before the end tells whether the file deciphers: a reader keeps what it gathers
// aside and uses it only when `read` says true. readBytes deciphers bytes held in memory whole
// and hands out their lines as one run once they have deciphered.
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

    // Deciphered at a time: with its plain text it stays in the processor's nearest cache.
    static constexpr qsizetype pieceSize = 32 * 1024;
};
