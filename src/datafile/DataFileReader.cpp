#include "datafile/DataFileReader.h"

#include "datafile/CryptoManager.h"
#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"

#include <QFile>

namespace {
// A file this large (damaged: an update brings at most 16 MiB) is read piece by piece rather
// than held whole.
constexpr qint64 wholeFileLimit = 64 * 1024 * 1024;

bool readPieces(QFile &file, const DataFileReader::LinesVisitor &visit)
{
    DataFileDecoder decoder(visit);
    QByteArray piece(DataFileReader::pieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(piece.data(), DataFileReader::pieceSize);
        if (got < 0)
            return false;
        if (got == 0)
            return decoder.finish();
        if (!decoder.feed(QByteArrayView(piece.constData(), got)))
            return false;
    }
}
} // namespace

bool DataFileReader::read(const QString &path, const LinesVisitor &visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    if (file.size() > wholeFileLimit)
        return readPieces(file, visit);
    // Deciphered straight from the system's cache of the file: the bytes are not copied first.
    if (const uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr)
        return readBytes(QByteArrayView(mapped, file.size()), visit);
    return readBytes(file.readAll(), visit); // a file that cannot be mapped
}

bool DataFileReader::readBytes(QByteArrayView file, const LinesVisitor &visit)
{
    // One buffer sized from the file takes the whole plain text.
    const std::optional<QByteArray> text =
        CryptoManager::decrypt(file, DataFileEnvelope::key(), CryptoManager::PKCS7Padding);
    if (!text)
        return false;
    // The image of the chaining block goes, unless it is all there is.
    const qsizetype skip = text->size() > DataFileEnvelope::chainingBlockSize ? DataFileEnvelope::chainingBlockSize : 0;
    visit(DataFileLines(QLatin1StringView(text->constData() + skip, text->size() - skip)));
    return true;
}
