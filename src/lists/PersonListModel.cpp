#include "lists/PersonListModel.h"

#include "core/CommonOperations.h"
#include "core/FavoriteRecord.h"
#include "core/KeypadNumber.h"
#include "lists/PersonSearch.h"
#include "addressbook/AddressBook.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <array>
#include <numeric>

namespace {
constexpr int hashSection = 26; // "#", after Z

// An empty text says as little as an absent one.
bool hasText(const std::optional<QString> &text) { return text && !text->isEmpty(); }

std::optional<QString> textOrNone(const std::optional<QString> &text) { return hasText(text) ? text : std::nullopt; }

bool isNameless(const PersonSummary &person)
{
    return !hasText(person.firstName) && !hasText(person.middleName) && !hasText(person.lastName)
           && !hasText(person.organization);
}

// The call lists' name (with the phone fallback) without the blank they keep after a name.
QString rowName(const PersonSummary &summary)
{
    Person person{summary.recordID, textOrNone(summary.firstName), textOrNone(summary.middleName),
                  textOrNone(summary.lastName), textOrNone(summary.organization), {}};
    if (summary.firstNumber)
        person.phones = QList<PhoneEntry>{PhoneEntry{0, {}, *summary.firstNumber}};
    QString name = CommonOperations::getName(person, true).value_or(QString());
    if (person.firstName || person.middleName || person.lastName)
        name.chop(1);
    return name;
}

// The text a person is sorted and filed by: the last name, else the first name, middle name
// or organisation.
QString sortName(const PersonSummary &summary)
{
    for (const auto *part : {&summary.lastName, &summary.firstName, &summary.middleName, &summary.organization}) {
        if (!hasText(*part))
            continue;
        const QString &text = **part;
        return text.front().isSpace() || text.back().isSpace() ? text.trimmed() : text;
    }
    return {};
}

// The section of a text: its first letter without accents, A to Z, or "#".
int sectionOf(const QString &sortName)
{
    if (sortName.isEmpty())
        return hashSection;
    QChar first = sortName.front();
    if (first.unicode() >= 0x80)
        first = QString(first).normalized(QString::NormalizationForm_D).front();
    const QChar base = first.toUpper();
    if (base >= u'A' && base <= u'Z')
        return base.unicode() - u'A';
    // Letters of their own that are filed under the Latin letter they are read as.
    static constexpr std::array<std::pair<char16_t, char16_t>, 6> ownLetters = {
        {{u'Æ', u'A'}, {u'Ð', u'D'}, {u'Đ', u'D'}, {u'Ł', u'L'}, {u'Ø', u'O'}, {u'Œ', u'O'}}};
    for (const auto &[letter, section] : ownLetters) {
        if (base == letter)
            return section - u'A';
    }
    return hashSection;
}

// The user's collation; the C locale has none (it compares code points, Müller after Zander),
// so the common order of the Latin alphabet stands in for it.
QCollator listCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    return collator;
}

struct SortItem
{
    const PersonSummary *person;
    int section;
    bool nameless; // no name part and no organisation
    QCollatorSortKey key;
};

QString part(const std::optional<QString> &text) { return text.value_or(QString()); }

// Section first, so that each section is one run of rows whatever the collation does with
// accented letters (Swedish puts Ä after Z).
auto orderWith(const QCollator &collator)
{
    return [&collator](const SortItem &a, const SortItem &b) {
        if (a.section != b.section)
            return a.section < b.section;
        if (a.nameless != b.nameless)
            return b.nameless;
        const PersonSummary &p = *a.person;
        const PersonSummary &q = *b.person;
        if (!a.nameless) {
            if (const int order = a.key.compare(b.key))
                return order < 0;
            for (auto field : {&PersonSummary::firstName, &PersonSummary::middleName, &PersonSummary::organization}) {
                if (const int order = collator.compare(part(p.*field), part(q.*field)))
                    return order < 0;
            }
        } else if (p.firstNumber != q.firstNumber) {
            if (!p.firstNumber || !q.firstNumber)
                return p.firstNumber.has_value();
            return *p.firstNumber < *q.firstNumber;
        }
        return p.recordID < q.recordID;
    };
}
} // namespace

struct PersonListModel::Entry
{
    PersonSummary person;
    int section;
    QString words;        // PersonSearch::wordsOf the names and the organisation, once searched
    QString numbers;      // PersonSearch::appendNumber of each number, once read
};

PersonListModel::PersonListModel(AddressBook &addressBook, QObject *parent)
    : QAbstractListModel(parent)
    , m_addressBook(addressBook)
{
}

PersonListModel::~PersonListModel() = default;

int PersonListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant PersonListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Entry &entry = m_people[size_t(m_rows[size_t(index.row())])];
    switch (role) {
    case RecordIDRole:
        return entry.person.recordID;
    case Qt::DisplayRole:
    case NameRole:
        return rowName(entry.person);
    case SectionRole:
        return entry.section == hashSection ? QStringLiteral("#") : QString(QChar(u'A' + entry.section));
    case OrganizationRole:
        return entry.person.organization.value_or(QString());
    default:
        return {};
    }
}

QHash<int, QByteArray> PersonListModel::roleNames() const
{
    return {{RecordIDRole, "recordID"}, {NameRole, "name"}, {SectionRole, "section"}, {OrganizationRole, "organization"}};
}

bool PersonListModel::addressBookEmpty() const { return m_people.empty(); }

void PersonListModel::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    Q_EMIT searchTextChanged();
    const qsizetype count = rowCount();
    std::vector<int> rows = matchingRows();
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    if (count != rowCount())
        Q_EMIT countChanged();
}

QVariantMap PersonListModel::details(int recordID) const
{
    const std::optional<Person> person = m_addressBook.personWithRecordID(recordID);
    if (!person)
        return {};
    QVariantList phones;
    for (const PhoneEntry &entry : person->phones.value_or(QList<PhoneEntry>())) {
        phones.append(QVariantMap{
            {QStringLiteral("identifier"), entry.identifier},
            {QStringLiteral("type"), FavoriteRecord::phoneTypeFromLabel(entry.label.value_or(QString())).toLower()},
            {QStringLiteral("number"), entry.value},
            {QStringLiteral("callable"), KeypadNumber::read(entry.value).text.has_value()}});
    }
    return {{QStringLiteral("name"), CommonOperations::getName(*person, true).value_or(QString()).trimmed()},
            {QStringLiteral("organization"), person->organization.value_or(QString())},
            {QStringLiteral("phones"), phones}};
}

void PersonListModel::reload()
{
    QList<PersonSummary> people = m_addressBook.peopleSummaries();
    const QCollator collator = listCollator();
    // A name's collation key is the costliest part of a reload (a sync, an import): the keys of
    // the names read last time are taken again, as long as the language is the same.
    if (m_sortKeyLocale != collator.locale())
        m_sortKeys.clear();
    m_sortKeyLocale = collator.locale();
    QHash<QString, QCollatorSortKey> sortKeys;
    sortKeys.reserve(people.size());
    std::vector<SortItem> items;
    items.reserve(size_t(people.size()));
    for (const PersonSummary &person : std::as_const(people)) {
        const QString name = sortName(person);
        auto known = m_sortKeys.constFind(name);
        if (known == m_sortKeys.constEnd())
            known = m_sortKeys.insert(name, collator.sortKey(name));
        sortKeys.insert(name, *known);
        items.push_back(SortItem{&person, sectionOf(name), isNameless(person), *known});
    }
    m_sortKeys = std::move(sortKeys); // only the names still there
    // Positions are sorted rather than the items, which are larger to move.
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&, before = orderWith(collator)](int a, int b) {
        return before(items[size_t(a)], items[size_t(b)]);
    });

    std::vector<Entry> entries;
    entries.reserve(order.size());
    for (const int position : order)
        entries.push_back(Entry{std::move(people[position]), items[size_t(position)].section, {}, {}});
    const qsizetype count = rowCount();
    const bool wasEmpty = addressBookEmpty();
    beginResetModel();
    m_people = std::move(entries);
    m_wordsMade = false;
    m_numbersRead = false;
    m_rows = matchingRows();
    endResetModel();
    if (count != rowCount())
        Q_EMIT countChanged();
    if (wasEmpty != addressBookEmpty())
        Q_EMIT addressBookEmptyChanged();
}

std::vector<int> PersonListModel::matchingRows()
{
    const PersonSearch search(m_searchText);
    std::vector<int> rows;
    rows.reserve(m_people.size());
    if (search.isEmpty()) {
        for (size_t i = 0; i < m_people.size(); ++i)
            rows.push_back(int(i));
        return rows;
    }
    if (!m_wordsMade)
        makeWords();
    if (search.hasDigits() && !m_numbersRead)
        readNumbers();
    for (size_t i = 0; i < m_people.size(); ++i) {
        if (search.matches(m_people[i].words, m_people[i].numbers))
            rows.push_back(int(i));
    }
    return rows;
}

void PersonListModel::makeWords()
{
    m_wordsMade = true;
    for (Entry &entry : m_people) {
        const PersonSummary &p = entry.person;
        entry.words = PersonSearch::wordsOf({part(p.firstName), part(p.middleName), part(p.lastName), part(p.organization)});
    }
}

void PersonListModel::readNumbers()
{
    m_numbersRead = true;
    QHash<int, size_t> positions;
    positions.reserve(qsizetype(m_people.size()));
    for (size_t i = 0; i < m_people.size(); ++i)
        positions.insert(m_people[i].person.recordID, i);
    for (const auto &[recordID, number] : m_addressBook.phoneValues()) {
        const auto at = positions.constFind(recordID);
        if (at != positions.constEnd())
            PersonSearch::appendNumber(m_people[*at].numbers, number);
    }
}
