#include "datafile/DataFileReader.h"

#include "datafile/CryptoManager.h"
#include "datafile/DataFileDecoder.h"
#include "datafile/DataFileEnvelope.h"
#include "datafile/DataFileLines.h"

#include <QFile>

namespace {
// A file this large (damaged: an update brings at most 16 MiB) is read rather than mapped.
constexpr qint64 mappedFileLimit = 64 * 1024 * 1024;

// Deciphered a piece at a time into one small buffer, which stays in the processor's cache:
// deciphering a whole file into a buffer of its size wrote every byte out to memory and back,
// and touched a new page every 4 KiB.
bool decodePieces(QByteArrayView file, const DataFileReader::LinesVisitor &visit)
{
    DataFileDecoder decoder(visit);
    for (qsizetype at = 0; at < file.size(); at += DataFileReader::pieceSize) {
        if (!decoder.feed(file.sliced(at, std::min(DataFileReader::pieceSize, file.size() - at))))
            return false;
    }
    return decoder.finish();
}

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
    // Mapped, the file is deciphered straight from the system's cache of it: its bytes are not
    // copied first.
    const uchar *mapped = file.size() > 0 && file.size() <= mappedFileLimit ? file.map(0, file.size()) : nullptr;
    return mapped ? decodePieces(QByteArrayView(mapped, file.size()), visit) : readPieces(file, visit);
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
