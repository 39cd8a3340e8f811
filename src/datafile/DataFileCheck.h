#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <functional>
#include <memory>

class DataFileDecoder;
class DataFileLines;

// Tells whether bytes fed to it piece by piece make an access number file worth installing: it
// deciphers under the envelope (DataFileEnvelope), every line that names a key (one with a space)
// is an access number line, and there is at least one. A download is checked as it arrives.
class DataFileCheck
{
public:
    enum class Verdict { Valid, DoesNotDecipher, NoAccessNumbers, LineWithoutAccessNumber };

    // Each run of whole lines, once checked, is also handed to `read`, in file order, so that
    // what loads from a download is what was checked, read in the same pass while it arrives.
    // What it gathered counts only when the verdict is Valid.
    explicit DataFileCheck(std::function<void(const DataFileLines &)> read = {});
    ~DataFileCheck();
    DataFileCheck(const DataFileCheck &) = delete;
    DataFileCheck &operator=(const DataFileCheck &) = delete;

    void feed(QByteArrayView bytes);
    // The verdict on everything fed so far, taken as one file. A file without any access number
    // line holds none, whatever else it holds.
    Verdict finish();
    // The first line (from 1) that names a key without an access number; 0 when there is none.
    qsizetype badLine() const { return m_badLine; }

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
    bool m_broken = false;
    bool m_foundLine = false;
    qsizetype m_lines = 0;
    qsizetype m_badLine = 0;
};
