#include "LargeLANFile.h"

#include "datafile/DataFileEnvelope.h"

#include <QtGlobal>

QByteArray LargeLANFile::plainText()
{
    QByteArray text;
    text.reserve(lines * 32);
    quint32 state = 12345;
    for (int line = 0; line < lines; ++line) {
        // Each key gets lines / keys lines; a step coprime with `keys` scatters them.
        const int key = 10000 + int((quint64(line) * 7919) % keys);
        state = state * 1664525u + 1013904223u;
        const QByteArray row = QByteArray::number(key) + " +" + QByteArray::number(10 + state % 90) + ' '
            + QByteArray::number(100 + (state >> 8) % 900) + ' ' + QByteArray::number(100 + (state >> 12) % 900)
            + ' ' + QByteArray::number(1000 + (state >> 16) % 9000) + ' ' + QByteArray::number(line % 1000);
        if (line > 0)
            text += "\r\n";
        text += row;
    }
    return text;
}

QByteArray LargeLANFile::enciphered()
{
    const auto sealed = DataFileEnvelope::seal(plainText(), QByteArray::fromHex("8899aabbccddeeff0011223344556677"));
    if (!sealed)
        qFatal("cannot seal the large access number file");
    return *sealed;
}

QString LargeLANFile::sampleKey() { return QStringLiteral("12345"); }
