#include "support/DataFiles.h"

#include "access/DataFileEnvelope.h"

#include <QtGlobal>

QByteArray sealedDataFile(const QByteArray &plainText, const QByteArray &chainingBlock)
{
    const auto sealed = DataFileEnvelope::seal(plainText, chainingBlock);
    if (!sealed)
        qFatal("cannot seal a test data file");
    return *sealed;
}
