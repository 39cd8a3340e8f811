#include "access/LANFileParser.h"

#include <QHash>
#include <unordered_set>

namespace {
struct ViewHash
{
    size_t operator()(QStringView view) const noexcept { return qHash(view); }
};
}

LANFileParser::Result LANFileParser::parse(std::span<const QStringView> lines, QStringView key)
{
    Result result;
    const QString prefix = key.toString() + u' ';
    // Views into the lines: no copy of a key is made until it is met for the first time.
    std::unordered_set<QStringView, ViewHash> seen;
    for (const QStringView line : lines) {
        const qsizetype space = line.indexOf(u' ');
        if (space < 0)
            continue;
        const QStringView lineKey = line.first(space);
        if (seen.insert(lineKey).second)
            result.keys.append(lineKey.toString());
        if (key.isEmpty() || !line.contains(prefix))
            continue;
        QString number = line.toString();
        number.remove(prefix);
        number.remove(u' ');
        result.numbers.append(number);
    }
    return result;
}
