// The reading of a written number or "tel:" address over arbitrary text: what it accepts is
// always something the keypad can type and Farline may dial.

#include "core/KeypadNumber.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString written = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const KeypadNumber number = KeypadNumber::read(written);
    if (number.text.has_value() == !number.refusal.isEmpty())
        std::abort();
    if (!number.text)
        return 0;
    const QString &keys = *number.text;
    if (keys.size() > KeypadNumber::longest || keys.lastIndexOf(u'+') > 0)
        std::abort();
    for (const QChar c : keys) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u',' && c != u'+')
            std::abort();
    }
    return 0;
}
