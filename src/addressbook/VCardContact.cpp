#include "addressbook/VCardContact.h"

#include <QHash>
#include <QSet>
#include <QUrl>
#include <vector>

namespace {
// Longer names and numbers are not something a person typed; such a card is not taken in.
constexpr qsizetype maxValueLength = 4096;

const QByteArray usedProperties[] = {"N", "FN", "ORG", "UID", "REV", "TEL", "X-ABLABEL"};

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

// The labels are literals, so that the numbers of a large card share them.
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
    if (has("FAX"))
        return has("HOME") ? QStringLiteral("_$!<HomeFAX>!$_")
               : has("WORK") ? QStringLiteral("_$!<WorkFAX>!$_")
                             : QStringLiteral("_$!<OtherFAX>!$_");
    for (const auto &[type, label] : {std::pair{"CELL", QStringLiteral("_$!<Mobile>!$_")},
                                      {"HOME", QStringLiteral("_$!<Home>!$_")},
                                      {"WORK", QStringLiteral("_$!<Work>!$_")},
                                      {"MAIN", QStringLiteral("_$!<Main>!$_")},
                                      {"PAGER", QStringLiteral("_$!<Pager>!$_")}}) {
        if (has(type))
            return label;
    }
    return QStringLiteral("_$!<Other>!$_");
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

struct VCardContactReader::OpenCard
{
    // An item group: its first X-ABLabel, once read, and the numbers of the group that came
    // before it, chained through `nextWaiting`.
    struct Group
    {
        std::optional<QString> label;
        qsizetype firstWaiting = -1;
        qsizetype lastWaiting = -1;
    };

    int line = 0;
    std::optional<VCardProblem> problem;
    std::optional<QString> n, fn, org, uid, rev; // the value of the first of each
    QList<PhoneDraft> phones;
    QHash<QByteArray, Group> groups;
    std::vector<qsizetype> nextWaiting; // by number
    QSet<QString> labels;               // each label once, shared by the numbers that have it

    void add(const VCardProperty &property)
    {
        if (std::find(std::begin(usedProperties), std::end(usedProperties), property.name) == std::end(usedProperties))
            return;
        if ((problem = unusable(property)))
            return;
        for (const auto &[name, value] : {std::pair{"N", &n}, {"FN", &fn}, {"ORG", &org}, {"UID", &uid}, {"REV", &rev}}) {
            if (property.name == name && !*value)
                *value = property.value;
        }
        if (property.name == "X-ABLABEL" && !property.group.isEmpty())
            addGroupLabel(property);
        if (property.name == "TEL")
            addNumber(property);
    }

    void addGroupLabel(const VCardProperty &property)
    {
        Group &group = groups[property.group];
        if (group.label)
            return;
        group.label = *labels.insert(unescaped(property.value));
        for (qsizetype i = group.firstWaiting; i >= 0; i = nextWaiting[size_t(i)])
            phones[i].label = group.label;
        group.firstWaiting = group.lastWaiting = -1;
    }

    void addNumber(const VCardProperty &tel)
    {
        QString value = unescaped(tel.value).trimmed();
        if (value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
            value = numberFromTelUri(value);
        if (value.isEmpty())
            return;
        PhoneDraft phone{std::nullopt, VCardContact::labelForTypes(tel.types()), value};
        if (!tel.group.isEmpty()) {
            Group &group = groups[tel.group];
            if (group.label) {
                phone.label = group.label;
            } else {
                const qsizetype index = phones.size();
                nextWaiting.resize(size_t(index) + 1, -1);
                if (group.lastWaiting < 0)
                    group.firstWaiting = index;
                else
                    nextWaiting[size_t(group.lastWaiting)] = index;
                group.lastWaiting = index;
            }
        }
        phones.append(std::move(phone));
    }

    VCardContactReader::Card contact()
    {
        if (problem)
            return *problem;
        VCardContact contact;
        contact.line = line;
        PersonDraft &person = contact.person;
        if (n) {
            const QStringList parts = components(*n);
            person.lastName = component(parts, 0);
            person.firstName = component(parts, 1);
            person.middleName = component(parts, 2);
        }
        if (org)
            person.organization = component(components(*org), 0);
        const std::optional<QString> formatted = fn ? presentIfNotEmpty(unescaped(*fn)) : std::nullopt;
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
        if (uid)
            contact.uid = presentIfNotEmpty(unescaped(*uid));
        if (rev)
            contact.revision = presentIfNotEmpty(*rev);

        person.phones = std::move(phones);
        if (!person.firstName && !person.lastName && !person.middleName && !person.organization
            && person.phones.isEmpty())
            return VCardProblem{line, QStringLiteral("card has no name, organisation or phone number")};
        return contact;
    }
};

VCardContactReader::VCardContactReader(std::function<void(Card &&)> take)
    : m_take(std::move(take))
{
}

VCardContactReader::~VCardContactReader() = default;

void VCardContactReader::beginCard(int line)
{
    m_open = std::make_unique<OpenCard>();
    m_open->line = line;
}

void VCardContactReader::property(const VCardProperty &property)
{
    if (m_open && !m_open->problem)
        m_open->add(property);
}

void VCardContactReader::endCard()
{
    if (!m_open)
        return;
    Card card = m_open->contact();
    m_open.reset();
    m_take(std::move(card));
}

void VCardContactReader::cardWithoutEnd(int line)
{
    m_open.reset();
    m_take(VCardProblem{line, QStringLiteral("card has no END:VCARD")});
}
