#pragma once

#include <QByteArray>
#include <optional>

// The envelope of the enciphered data files ("LANFile.txt", "MCCFile.txt"): a 16-byte
// chaining block followed by the AES-128-CBC ciphertext (PKCS#7 padding) of the plain text,
// chained from that block, under the MD5 digest of the pass phrase "QMBKey".
class DataFileEnvelope
{
public:
    DataFileEnvelope() = delete;

    static constexpr int chainingBlockSize = 16;

    // The key: MD5 of the pass phrase's UTF-8 bytes, computed afresh at each call.
    static QByteArray key();

    // The whole file deciphered with its first 16 bytes as vector, those 16 bytes included:
    // the first 16 deciphered bytes are the meaningless image of the chaining block. None when
    // the file does not decipher (wrong length, bad padding, wrong key). The tables read through
    // DataFileReader, which does the same piece by piece.
    static std::optional<QByteArray> decipher(const QByteArray &file);

    // A file holding `plainText` behind `chainingBlock` (16 bytes); none when the block has
    // another size.
    static std::optional<QByteArray> seal(const QByteArray &plainText, const QByteArray &chainingBlock);

    // 16 bytes from the system's cryptographic random source.
    static QByteArray randomChainingBlock();
};
