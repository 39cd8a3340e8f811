#include "platform/VCardContact.h"

#include <QUrl>

namespace {
// Longer names and numbers are not something a person typed; such a card is not taken in.
constexpr qsizetype maxValueLength = 4096;

const QByteArray usedProperties[] = {"N", "FN", "ORG", "UID", "TEL", "X-ABLABEL"};

QString unescaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            result.append(text[i]);
            continue;
        }
        const QChar next = text[++i];
        result.append(next == u'n' || next == u'N' ? QChar(u'\n') : next);
    }
    return result;
}

// The parts of a structured value (N, ORG), split at ";" that is not escaped, then unescaped.
QStringList components(const QString &value)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= value.size(); ++i) {
        if (i < value.size() && value[i] == u'\\') {
            ++i;
        } else if (i == value.size() || value[i] == u';') {
            parts.append(unescaped(QStringView(value).sliced(start, i - start)));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<QString> presentIfNotEmpty(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? std::nullopt : std::optional(trimmed);
}

std::optional<QString> component(const QStringList &parts, qsizetype index)
{
    return index < parts.size() ? presentIfNotEmpty(parts[index]) : std::nullopt;
}

const VCardProperty *first(const VCard &card, const char *name)
{
    for (const VCardProperty &property : card.properties) {
        if (property.name == name)
            return &property;
    }
    return nullptr;
}

// "tel:+44-555-555-5555;ext=5555" is the number "+44-555-555-5555,5555": the extension is sent
// after a pause, as a dialler sends it. Other URI parameters say nothing about what to dial.
QString numberFromTelUri(const QString &uri)
{
    const QStringList parts = uri.mid(4).split(u';');
    QString number = QUrl::fromPercentEncoding(parts.first().toUtf8());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (parts[i].startsWith(QLatin1String("ext="), Qt::CaseInsensitive) && parts[i].size() > 4)
            number += u',' + QUrl::fromPercentEncoding(parts[i].mid(4).toUtf8());
    }
    return number.trimmed();
}

std::optional<QString> groupLabel(const VCard &card, const QByteArray &group)
{
    if (group.isEmpty())
        return std::nullopt;
    for (const VCardProperty &property : card.properties) {
        if (property.name == "X-ABLABEL" && property.group == group)
            return unescaped(property.value);
    }
    return std::nullopt;
}

std::optional<VCardProblem> unusable(const VCardProperty &property)
{
    if (property.defect)
        return VCardProblem{property.line, QStringLiteral("cannot read %1: %2")
                                               .arg(QString::fromLatin1(property.name), *property.defect)};
    if (property.value.size() > maxValueLength)
        return VCardProblem{property.line, QStringLiteral("%1 is longer than %2 characters")
                                               .arg(QString::fromLatin1(property.name))
                                               .arg(maxValueLength)};
    return std::nullopt;
}
} // namespace

std::optional<QString> VCardContact::labelForTypes(const QList<QByteArray> &types)
{
    QList<QByteArray> kinds;
    for (const QByteArray &type : types) {
        if (type != "PREF" && type != "VOICE")
            kinds.append(type);
    }
    if (kinds.isEmpty())
        return std::nullopt;
    const auto has = [&](const char *kind) { return kinds.contains(kind); };
    const auto marked = [](const char *kind) { return QStringLiteral("_$!<%1>!$_").arg(QLatin1String(kind)); };
    if (has("FAX"))
        return marked(has("HOME") ? "HomeFAX" : has("WORK") ? "WorkFAX" : "OtherFAX");
    for (const auto &[type, kind] : {std::pair{"CELL", "Mobile"}, {"HOME", "Home"}, {"WORK", "Work"},
                                     {"MAIN", "Main"}, {"PAGER", "Pager"}}) {
        if (has(type))
            return marked(kind);
    }
    return marked("Other");
}

std::variant<VCardContact, VCardProblem> VCardContact::fromCard(const VCard &card)
{
    for (const VCardProperty &property : card.properties) {
        if (std::find(std::begin(usedProperties), std::end(usedProperties), property.name) != std::end(usedProperties)) {
            if (auto problem = unusable(property))
                return *problem;
        }
    }

    VCardContact contact;
    contact.line = card.line;
    PersonDraft &person = contact.person;
    if (const VCardProperty *n = first(card, "N")) {
        const QStringList parts = components(n->value);
        person.lastName = component(parts, 0);
        person.firstName = component(parts, 1);
        person.middleName = component(parts, 2);
    }
    if (const VCardProperty *org = first(card, "ORG"))
        person.organization = component(components(org->value), 0);
    const VCardProperty *fn = first(card, "FN");
    const std::optional<QString> formatted = fn ? presentIfNotEmpty(unescaped(fn->value)) : std::nullopt;
    if (!person.firstName && !person.middleName && !person.lastName && !person.organization)
        person.firstName = formatted;
    if (formatted) {
        contact.fullName = *formatted;
    } else {
        QStringList parts;
        for (const auto &part : {person.firstName, person.middleName, person.lastName}) {
            if (part)
                parts.append(*part);
        }
        contact.fullName = parts.join(u' ');
    }
    if (const VCardProperty *uid = first(card, "UID"))
        contact.uid = presentIfNotEmpty(unescaped(uid->value));

    for (const VCardProperty &tel : card.properties) {
        if (tel.name != "TEL")
            continue;
        QString value = unescaped(tel.value).trimmed();
        if (value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
            value = numberFromTelUri(value);
        if (value.isEmpty())
            continue;
        auto label = groupLabel(card, tel.group);
        if (!label)
            label = labelForTypes(tel.types());
        person.phones.append(PhoneDraft{std::nullopt, label, value});
    }

    if (!person.firstName && !person.lastName && !person.middleName && !person.organization
        && person.phones.isEmpty())
        return VCardProblem{card.line, QStringLiteral("card has no name, organisation or phone number")};
    return contact;
}

QString VCardContact::importKey() const
{
    if (uid)
        return QStringLiteral("uid:") + *uid;
    const QChar unitSeparator(0x1f);
    QString key = QStringLiteral("name:") + fullName + unitSeparator + person.organization.value_or(QString());
    if (fullName.isEmpty() && !person.organization) {
        for (const PhoneDraft &phone : person.phones)
            key += unitSeparator + phone.value;
    }
    return key;
}
