// The update descriptor parser over arbitrary bytes, with what it may decide checked.

#include "access/LANFileNameparser.h"
#include "core/AppSettings.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AppSettings settings{QDateTime()};
    settings.currentVersionNumber = 3;
    settings.errorOccured = 2;
    settings.currentLANFileURL.reset();
    LANFileNameparser parser(settings, [&](int version) {
        if (version <= 3)
            std::abort(); // only a newer version is announced
    });
    const bool valid = parser.parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (valid != parser.errorString().isEmpty())
        std::abort(); // a failure always says why
    if (settings.errorOccured != 1 && settings.errorOccured != 2)
        std::abort();
    if (settings.currentLANFileURL
        && (settings.currentLANFileURL->contains(u'\n') || settings.currentLANFileURL->contains(u'\t')))
        std::abort();
    return 0;
}
