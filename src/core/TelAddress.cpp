#include "core/TelAddress.h"

bool TelAddress::isTelAddress(const QString &text) { return text.startsWith(u"tel:", Qt::CaseInsensitive); }

KeypadNumber TelAddress::keypadNumber(const QString &address)
{
    if (!isTelAddress(address))
        return {std::nullopt, QStringLiteral("%1 is not a tel: address").arg(address)};
    return KeypadNumber::read(address);
}
