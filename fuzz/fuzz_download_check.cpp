// The check a download passes before it replaces the access number file, fed in pieces of a
// size taken from the first byte, against deciphering the whole file at once.

#include "access/DataFileCheck.h"
#include "access/DataFileEnvelope.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = data[0] + 1;
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    DataFileCheck check;
    for (qsizetype offset = 0; offset < file.size(); offset += piece)
        check.feed(QByteArrayView(file).sliced(offset, std::min(piece, file.size() - offset)));
    if (check.finish() != DataFileEnvelope::decipher(file).has_value())
        std::abort();
    return 0;
}
