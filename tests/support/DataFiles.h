#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

// A data file in the envelope of "LANFile.txt" and "MCCFile.txt" holding `plainText`, behind a
// fixed chaining block unless one is given.
QByteArray sealedDataFile(const QByteArray &plainText,
                          const QByteArray &chainingBlock = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f"));

// The lines of a data file as the tables read them; none when it does not decipher.
std::optional<QStringList> dataFileLines(const QByteArray &file);
