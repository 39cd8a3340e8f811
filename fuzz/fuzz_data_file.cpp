// The envelope reader and both line parsers over arbitrary bytes: once as a data file as found
// on disk, once as a plain text sealed in a proper envelope, which must read back unchanged.

#include "access/DataFileEnvelope.h"
#include "access/DataFileLines.h"
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

void parseBoth(const DataFileLines &file)
{
    // Ask for the first line's key, so that numbers are found as well as skipped.
    const QLatin1StringView first = *file.begin();
    const qsizetype space = first.indexOf(QLatin1Char(' '));
    const QString key = (space < 0 ? first : first.first(space)).toString();

    const LANFileParser::Result lan = LANFileParser::parse(file, key);
    for (const QString &number : lan.numbers)
        require(!number.contains(u' '));
    require(QSet<QString>(lan.keys.begin(), lan.keys.end()).size() == lan.keys.size());
    require(lan.numbers.size() <= std::distance(file.begin(), file.end()));

    TCCManager table;
    table.appendRows(file);
    require(table.mccArray().size() == table.tccArray().size());
    for (const QString &code : table.tccArray())
        require(!code.contains(u' '));
    table.abroadNumber(QStringLiteral("0048221234567"), key);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const auto file = DataFileLines::fromFileBytes(bytes))
        parseBoth(*file);

    static const QByteArray chainingBlock = QByteArray::fromHex("0f1e2d3c4b5a69788796a5b4c3d2e1f0");
    const auto sealed = DataFileEnvelope::seal(bytes, chainingBlock);
    require(sealed.has_value());
    const auto readBack = DataFileLines::fromFileBytes(*sealed);
    require(readBack.has_value());
    if (size > 0)
        require(readBack->text() == QLatin1StringView(bytes));
    else
        require(readBack->text().size() == DataFileEnvelope::chainingBlockSize);
    parseBoth(*readBack);
    return 0;
}
