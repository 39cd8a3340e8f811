#include "datafile/DataFileReader.h"

#include "datafile/DataFileDecoder.h"

#include <QFile>

bool DataFileReader::read(const QString &path, const LinesVisitor &visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    DataFileDecoder decoder(visit);
    QByteArray piece(pieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(piece.data(), pieceSize);
        if (got < 0)
            return false;
        if (got == 0)
            return decoder.finish();
        if (!decoder.feed(QByteArrayView(piece.constData(), got)))
            return false;
    }
}

bool DataFileReader::readBytes(QByteArrayView file, const LinesVisitor &visit)
{
    DataFileDecoder decoder(visit);
    for (qsizetype offset = 0; offset < file.size(); offset += pieceSize) {
        if (!decoder.feed(file.sliced(offset, std::min(pieceSize, file.size() - offset))))
            return false;
    }
    return decoder.finish();
}
