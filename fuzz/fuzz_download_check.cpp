// The check a download passes before it replaces the access number file, fed in pieces of a
// size taken from the first byte, against deciphering the whole file at once and judging each
// line of its text split at every "\r\n"; the runs of lines it hands on, which the table then
// loads from, must make up a valid file's whole text.

#include "datafile/DataFileCheck.h"
#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QLatin1StringView>
#include <cstdint>
#include <cstdlib>

namespace {
DataFileCheck::Verdict wholeFileVerdict(const QByteArray &file, QByteArray &plainText)
{
    const std::optional<QByteArray> deciphered = DataFileEnvelope::decipher(file);
    if (!deciphered)
        return DataFileCheck::Verdict::DoesNotDecipher;
    QByteArrayView text = *deciphered;
    if (text.size() > DataFileEnvelope::chainingBlockSize)
        text = text.sliced(DataFileEnvelope::chainingBlockSize);
    plainText = text.toByteArray();
    bool found = false;
    bool bad = false;
    for (;;) {
        const qsizetype end = text.indexOf("\r\n");
        const QLatin1StringView line(end < 0 ? text : text.first(end));
        if (DataFileCheck::isAccessNumberLine(line))
            found = true;
        else if (line.contains(u' '))
            bad = true;
        if (end < 0)
            break;
        text = text.sliced(end + 2);
    }
    if (!found)
        return DataFileCheck::Verdict::NoAccessNumbers;
    return bad ? DataFileCheck::Verdict::LineWithoutAccessNumber : DataFileCheck::Verdict::Valid;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = data[0] + 1;
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QByteArrayList runs;
    DataFileCheck check([&](const DataFileLines &lines) { runs += QByteArray(lines.text().data(), lines.text().size()); });
    for (qsizetype offset = 0; offset < file.size(); offset += piece)
        check.feed(QByteArrayView(file).sliced(offset, std::min(piece, file.size() - offset)));
    QByteArray text;
    const DataFileCheck::Verdict verdict = wholeFileVerdict(file, text);
    if (check.finish() != verdict || (verdict == DataFileCheck::Verdict::Valid && runs.join("\r\n") != text))
        std::abort();
    return 0;
}
