#include "access/CountryList.h"

#include "platform/Bundle.h"

#include <QStringView>

QList<CountryList::Entry> CountryList::parse(const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    QList<Entry> entries;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        // A list saved with CR LF line ends would otherwise carry the CR in every key.
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype last = line.lastIndexOf(u' ');
        if (last < 0)
            continue; // fewer than two fields
        // The fields before the key, each followed by one space, are exactly the text up to and
        // including the key's separating space.
        entries.append({line.first(last + 1).toString(), line.sliced(last + 1).toString()});
    }
    return entries;
}

QList<CountryList::Entry> CountryList::fromBundle(const Bundle &bundle)
{
    const auto contents = bundle.contentsOfResource(QStringLiteral("Countries"), QStringLiteral("txt"));
    return contents ? parse(*contents) : QList<Entry>();
}
