// The country list parser over arbitrary bytes.

#include "access/CountryList.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<CountryList::Entry> entries = CountryList::parse(bytes);
    if (entries.size() > bytes.count('\n') + 1)
        std::abort();
    for (const CountryList::Entry &entry : entries) {
        if (!entry.name.endsWith(u' ') || entry.key.contains(u' ') || entry.key.contains(u'\n')
            || entry.name.contains(u'\n'))
            std::abort();
    }
    return 0;
}
