#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

#include "access/CryptoManager.h"

// Tells whether bytes fed to it piece by piece make a data file that deciphers under the
// envelope (DataFileEnvelope): a whole number of blocks ending in valid padding under the key.
// The deciphered text is not kept, so a download can be checked as it arrives.
class DataFileCheck
{
public:
    DataFileCheck();
    ~DataFileCheck();
    DataFileCheck(const DataFileCheck &) = delete;
    DataFileCheck &operator=(const DataFileCheck &) = delete;

    void feed(QByteArrayView bytes);
    // True when everything fed so far deciphers as one file.
    bool finish();

private:
    void decipher(QByteArrayView bytes);

    const QByteArray m_key;
    QByteArray m_head; // the chaining block, until it is complete
    std::unique_ptr<CryptoManager::Stream> m_stream;
    QByteArray m_scratch;
    bool m_broken = false;
};
