#include "core/KeypadNumber.h"

#include "core/TelAddress.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>

namespace {
// ITU E.161: the key of each letter, A to Z.
constexpr char16_t letterKeys[] = u"22233344455566677778889999";
// How much of a number a message shows.
constexpr qsizetype shownLength = 32;

// What a part of a number may hold: the number itself, the prefix of a "tel:" context ("+" and
// digits), or an extension (digits).
enum class Part { Number, Prefix, Extension };

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool isSeparator(QChar c) { return c == u'-' || c == u'.' || c == u'/' || c == u'(' || c == u')' || c.isSpace(); }

bool hasDigit(const QString &text) { return std::any_of(text.begin(), text.end(), isDigit); }

QString decoded(const QString &part) { return QString::fromUtf8(QByteArray::fromPercentEncoding(part.toUtf8())); }

// Where the extension's digits begin when an extension marker stands at `at` of `written`:
// ";ext=", or "x", "ext" or "ext." as a word of its own, then blanks and a digit. -1 for none.
qsizetype extensionAt(const QString &written, qsizetype at)
{
    qsizetype end = at;
    if (written[at] == u';') {
        if (written.mid(at + 1, 4).compare(u"ext=", Qt::CaseInsensitive) != 0)
            return -1;
        end = at + 5;
    } else {
        if (!isLetter(written[at]) || (at > 0 && isLetter(written[at - 1])))
            return -1;
        while (end < written.size() && isLetter(written[end]))
            ++end;
        const QString word = written.sliced(at, end - at).toLower();
        if (word != u"x" && word != u"ext")
            return -1;
        if (end < written.size() && (written[end] == u'.' || written[end] == u':'))
            ++end;
    }
    while (end < written.size() && written[end].isSpace())
        ++end;
    return end < written.size() && isDigit(written[end]) ? end : -1;
}

QString tooLong() { return QStringLiteral("a number has at most %1 characters").arg(KeypadNumber::longest); }

// Appends the keys of `written`, read as `part`, to `keys`. The problem that refuses it, for
// the user; empty when there is none.
QString appendKeys(const QString &written, Part part, QString &keys)
{
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QChar c = written[i];
        qsizetype extension = -1;
        if (isDigit(c) || (c == u',' && part != Part::Prefix)) {
            keys.append(c);
        } else if (c == u'+' && part != Part::Extension && keys.isEmpty()) {
            keys.append(c);
        } else if (c == u'*' || c == u'#') {
            return QStringLiteral("service codes need the phone's own dialler");
        } else if (part == Part::Number && (c == u';' || isLetter(c)) && hasDigit(keys)
                   && (extension = extensionAt(written, i)) >= 0) {
            keys.append(u',');
            part = Part::Extension;
            i = extension - 1;
        } else if (isSeparator(c)) {
            continue;
        } else if (isLetter(c) && part == Part::Number) {
            keys.append(QChar(letterKeys[c.toLower().unicode() - u'a']));
        } else if (isLetter(c) && part == Part::Extension) {
            return QStringLiteral("an extension has only digits");
        } else if (c == u'+') {
            return QStringLiteral("a \"+\" stands only at the start of a number");
        } else {
            return QStringLiteral("the keypad has no key for \"%1\"").arg(c);
        }
        if (keys.size() > KeypadNumber::longest) // no need to read on
            break;
    }
    return keys.size() > KeypadNumber::longest ? tooLong() : QString();
}

// `text` as a message shows it: a long one cut short.
QString shown(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.size() > shownLength ? trimmed.left(shownLength) + u'…' : trimmed;
}

KeypadNumber refused(const QString &written, const QString &problem)
{
    return {std::nullopt, QStringLiteral("Farline cannot call %1: %2").arg(shown(written), problem)};
}

KeypadNumber readAddress(const QString &address)
{
    QString subscriber = address.mid(4); // after "tel:"
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

    QString keys;
    if (const QString problem = appendKeys(written, Part::Number, keys); !problem.isEmpty())
        return refused(written, problem);
    if (!hasDigit(keys))
        return refused(address, QStringLiteral("the address names no number"));
    // A global number is complete; a context given with it is meaningless.
    if (context && !keys.startsWith(u'+')) {
        if (!context->startsWith(u'+'))
            return refused(written, QStringLiteral("it is a number local to %1, and its digits would reach someone "
                                                   "else on the public network")
                                        .arg(shown(*context)));
        QString prefix;
        if (!appendKeys(*context, Part::Prefix, prefix).isEmpty() || !hasDigit(prefix))
            return refused(written, QStringLiteral("%1 is not a telephone number prefix").arg(shown(*context)));
        keys.prepend(prefix);
    }
    if (extension && !extension->isEmpty()) {
        // The keypad dials an extension after a pause.
        keys.append(u',');
        if (const QString problem = appendKeys(*extension, Part::Extension, keys); !problem.isEmpty())
            return refused(written, problem);
    }
    if (keys.size() > KeypadNumber::longest)
        return refused(written, tooLong());
    return {keys, {}};
}
} // namespace

KeypadNumber KeypadNumber::read(const QString &written)
{
    if (TelAddress::isTelAddress(written))
        return readAddress(written);
    QString keys;
    if (const QString problem = appendKeys(written, Part::Number, keys); !problem.isEmpty())
        return refused(written, problem);
    return {keys, {}};
}
