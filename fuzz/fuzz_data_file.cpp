// The data file reader and both line parsers over arbitrary bytes: once as a data file as found
// on disk, once as a plain text sealed in a proper envelope, which must read back unchanged.

#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"
#include "access/LANFileParser.h"
#include "core/TCCManager.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

namespace {
void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The numbers of `key` as the parser describes them, found by looking at every line in turn.
QStringList numbersReadLineByLine(const DataFileLines &lines, QLatin1StringView key)
{
    QStringList numbers;
    if (key.isEmpty())
        return numbers;
    const QString prefix = key + u' ';
    for (const QLatin1StringView line : lines) {
        if (line.contains(prefix))
            numbers.append(QString(line).remove(prefix).remove(u' '));
    }
    return numbers;
}

// Reads `file` through both parsers; the text read, or none when it does not decipher.
std::optional<QByteArray> readThroughParsers(QByteArrayView file)
{
    TCCManager table;
    QByteArray text;
    qsizetype lines = 0;
    const bool read = DataFileReader::readBytes(file, [&](const DataFileLines &run) {
        table.appendRows(run);
        if (lines > 0)
            text += "\r\n";
        text += QByteArrayView(run.text().data(), run.text().size());
        lines += std::distance(run.begin(), run.end());
    });
    if (!read)
        return std::nullopt;
    // Ask for the first line's key, so that numbers are found as well as skipped.
    const DataFileLines all{QLatin1StringView(text)};
    const QLatin1StringView first = *all.begin();
    const qsizetype space = first.indexOf(QLatin1Char(' '));
    const QLatin1StringView key = space < 0 ? first : first.first(space);
    const LANFileParser::Result result = LANFileParser::parse(all, key.toString());
    require(result.numbers == numbersReadLineByLine(all, key));
    for (const QString &number : result.numbers)
        require(!number.contains(u' '));
    require(QSet<QString>(result.keys.begin(), result.keys.end()).size() == result.keys.size());
    require(result.numbers.size() <= lines);
    require(table.mccArray().size() == table.tccArray().size());
    for (const QString &code : table.tccArray())
        require(!code.contains(u' '));
    table.abroadNumber(QStringLiteral("0048221234567"), result.keys.value(0));
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readThroughParsers(bytes);

    static const QByteArray chainingBlock = QByteArray::fromHex("0f1e2d3c4b5a69788796a5b4c3d2e1f0");
    const auto sealed = DataFileEnvelope::seal(bytes.toByteArray(), chainingBlock);
    require(sealed.has_value());
    const auto readBack = readThroughParsers(*sealed);
    require(readBack.has_value());
    if (size > 0)
        require(*readBack == bytes);
    else
        require(readBack->size() == DataFileEnvelope::chainingBlockSize);
    return 0;
}
