#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <memory>

class DataFileDecoder;

// Tells whether bytes fed to it piece by piece make an access number file worth installing: it
// deciphers under the envelope (DataFileEnvelope) and holds at least one access number line. The
// deciphered text is not kept beyond the line being read, so a download is checked as it arrives.
class DataFileCheck
{
public:
    enum class Verdict { Valid, DoesNotDecipher, NoAccessNumbers };

    DataFileCheck();
    ~DataFileCheck();
    DataFileCheck(const DataFileCheck &) = delete;
    DataFileCheck &operator=(const DataFileCheck &) = delete;

    void feed(QByteArrayView bytes);
    // The verdict on everything fed so far, taken as one file.
    Verdict finish();

    // "KEY NUMBER": a key before the first space, a digit after it, and nothing but printable
    // ASCII. An empty text, bare line ends or binary bytes that happen to decipher hold none.
    static bool isAccessNumberLine(QLatin1StringView line);

private:
    std::unique_ptr<DataFileDecoder> m_decoder;
    bool m_broken = false;
    bool m_foundLine = false;
};
