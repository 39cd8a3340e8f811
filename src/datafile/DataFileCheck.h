#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <memory>

class DataFileDecoder;

// Tells whether bytes fed to it piece by piece make an access number file worth installing: it
// deciphers under the envelope (DataFileEnvelope), every line that names a key (one with a space)
// is an access number line, and there is at least one. A download is checked as it arrives, and
// its deciphered text is kept (a table is small), so that what was checked is what is loaded.
class DataFileCheck
{
public:
    enum class Verdict { Valid, DoesNotDecipher, NoAccessNumbers, LineWithoutAccessNumber };

    DataFileCheck();
    ~DataFileCheck();
    DataFileCheck(const DataFileCheck &) = delete;
    DataFileCheck &operator=(const DataFileCheck &) = delete;

    // Makes room for the text of a file of `size` bytes, when that is known before it arrives
    // (the text is never longer).
    void reserve(qsizetype size) { m_text.reserve(size); }
    void feed(QByteArrayView bytes);
    // The verdict on everything fed so far, taken as one file. A file without any access number
    // line holds none, whatever else it holds.
    Verdict finish();
    // The first line (from 1) that names a key without an access number; 0 when there is none.
    qsizetype badLine() const { return m_badLine; }
    // The plain text of a file whose verdict is Valid, lines joined with "\r\n".
    QByteArray takeText() { return std::move(m_text); }

    // "KEY NUMBER": a key before the first space, then an access number, and nothing but
    // printable ASCII. An empty text, bare line ends or binary bytes that happen to decipher hold
    // none.
    static bool isAccessNumberLine(QLatin1StringView line);
    // A leading "+" or none, then at least 3 digits and nothing else, spaces aside: a number the
    // telephone can dial before the pause.
    static bool isAccessNumber(QLatin1StringView number);

private:
    void checkLine(QLatin1StringView line);

    std::unique_ptr<DataFileDecoder> m_decoder;
    QByteArray m_text;
    qsizetype m_runs = 0;
    bool m_broken = false;
    bool m_foundLine = false;
    qsizetype m_lines = 0;
    qsizetype m_badLine = 0;
};
