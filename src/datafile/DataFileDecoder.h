#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <memory>
#include <vector>

#include "datafile/CryptoManager.h"

class DataFileLines;

// Deciphers a data file fed to it piece by piece and hands out its text in runs of whole lines
// as they come (the steps DataFileReader describes). Only the text after the last whole line is
// held, so a large file is never held whole.
class DataFileDecoder
{
public:
    using LinesVisitor = std::function<void(const DataFileLines &lines)>;

    explicit DataFileDecoder(LinesVisitor visit);
    ~DataFileDecoder();
    DataFileDecoder(const DataFileDecoder &) = delete;
    DataFileDecoder &operator=(const DataFileDecoder &) = delete;

    // False once the bytes cannot be part of a file that deciphers.
    bool feed(QByteArrayView cipherText);
    // Hands out the last lines; false when the file does not decipher as a whole.
    bool finish();

private:
    char *roomFor(qsizetype size);
    bool decipher(QByteArrayView cipherText);
    void consume(size_t count);
    void dropChainingBlock();
    void handOutWholeLines();

    const LinesVisitor m_visit;
    const QByteArray m_key;
    QByteArray m_head;
    std::unique_ptr<CryptoManager::Stream> m_stream;
    std::vector<char> m_text; // deciphered, not yet handed out: the first m_size bytes
    size_t m_size = 0;
    size_t m_searched = 0; // the first m_searched bytes hold no "\r\n"
    bool m_blockDropped = false;
};
