#include "core/TelAddress.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>

namespace {
const QString scheme = QStringLiteral("tel:");

QString decoded(const QString &part)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(part.toUtf8()));
}

bool isSeparator(QChar c)
{
    return c == u'-' || c == u'.' || c == u'(' || c == u')' || c.isSpace();
}

// The keys for `written`: digits and "," kept, separators dropped, "+" only in front when
// `plusAllowed`. None, with the refusal, for anything else.
std::optional<QString> keys(const QString &written, bool plusAllowed, QString &refusal)
{
    QString text;
    for (const QChar c : written) {
        if ((c >= u'0' && c <= u'9') || c == u',')
            text.append(c);
        else if (c == u'+' && plusAllowed && text.isEmpty())
            text.append(c);
        else if (!isSeparator(c)) {
            refusal = QStringLiteral("The keypad cannot type \"%1\" of %2").arg(c, written);
            return std::nullopt;
        }
    }
    return text;
}

bool hasDigit(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

TelAddress::KeypadNumber refused(const QString &reason) { return {std::nullopt, reason}; }
}

bool TelAddress::isTelAddress(const QString &text) { return text.startsWith(scheme, Qt::CaseInsensitive); }

TelAddress::KeypadNumber TelAddress::keypadNumber(const QString &address)
{
    if (!isTelAddress(address))
        return refused(QStringLiteral("%1 is not a tel: address").arg(address));
    QString subscriber = address.mid(scheme.size());
    if (subscriber.startsWith(u"//"))
        subscriber.remove(0, 2); // "tel://...", as some pages write it

    // Split before decoding, so that an encoded ";" stays part of its value.
    const QStringList parts = subscriber.split(u';');
    const QString written = decoded(parts.first());
    std::optional<QString> extension;
    std::optional<QString> context;
    for (const QString &parameter : parts.mid(1)) {
        const QString name = parameter.section(u'=', 0, 0).trimmed().toLower();
        const QString value = decoded(parameter.section(u'=', 1)).trimmed();
        if (name == u"ext" && !extension)
            extension = value;
        else if (name == u"phone-context" && !context)
            context = value;
    }

    QString refusal;
    std::optional<QString> text = keys(written, true, refusal);
    if (!text)
        return refused(refusal);
    if (!hasDigit(*text))
        return refused(QStringLiteral("%1 names no number").arg(address));

    // A global number is complete; a context given with it is meaningless.
    if (context && !text->startsWith(u'+')) {
        if (!context->startsWith(u'+'))
            return refused(QStringLiteral("%1 is a number local to %2 and cannot be dialled from the keypad")
                               .arg(written.trimmed(), *context));
        const std::optional<QString> prefix = keys(*context, true, refusal);
        if (!prefix || prefix->contains(u',') || !hasDigit(*prefix))
            return refused(QStringLiteral("%1 is not a telephone number prefix").arg(*context));
        text->prepend(*prefix);
    }

    if (extension && !extension->isEmpty()) {
        const std::optional<QString> digits = keys(*extension, false, refusal);
        if (!digits)
            return refused(refusal);
        // The keypad dials an extension after a pause.
        text->append(u',' + *digits);
    }
    return {text, {}};
}
