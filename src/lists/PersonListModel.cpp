#include "lists/PersonListModel.h"

#include "core/CommonOperations.h"
#include "core/FavoriteRecord.h"
#include "core/KeypadNumber.h"
#include "lists/NameCollation.h"
#include "lists/PersonSearch.h"
#include "addressbook/AddressBook.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <thread>
#include <utility>

namespace {
constexpr int hashSection = 26; // "#", after Z
// Whether work over `persons` is worth a second thread: below 1,000 persons, or on one core, a
// thread costs more than it spares.
bool worthAThread(size_t persons) { return persons >= 1000 && std::thread::hardware_concurrency() > 1; }

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

struct SortItem
{
    quint64 head; // the first eight bytes of the key, as a big-endian number
    int section;
    bool nameless; // no name part and no organisation
    QByteArrayView key;
    const PersonSummary *person;
};

// The first eight bytes of a sort key, zeros after a shorter one: no byte of a key but its end
// is zero, so two heads that differ order their keys.
quint64 headOf(QByteArrayView key)
{
    quint64 head = 0;
    for (qsizetype i = 0; i < 8; ++i)
        head = head << 8 | (i < key.size() ? quint8(key[i]) : 0);
    return head;
}

QString part(const std::optional<QString> &text) { return text.value_or(QString()); }

// Section first, so that each section is one run of rows whatever the collation does with
// accented letters (Swedish puts Ä after Z).
auto orderWith(const NameCollation &collation)
{
    return [&collation](const SortItem &a, const SortItem &b) {
        if (a.section != b.section)
            return a.section < b.section;
        if (a.nameless != b.nameless)
            return b.nameless;
        const PersonSummary &p = *a.person;
        const PersonSummary &q = *b.person;
        if (!a.nameless) {
            if (a.head != b.head)
                return a.head < b.head;
            if (const int order = NameCollation::compareKeys(a.key, b.key))
                return order < 0;
            for (auto field : {&PersonSummary::firstName, &PersonSummary::middleName, &PersonSummary::organization}) {
                if (const int order = collation.compare(part(p.*field), part(q.*field)))
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

// A long list is sorted in two halves at once, the upper one on another core with a collation
// of its own (an ICU collator serves one thread at a time), and the halves merged.
void sortItems(std::vector<SortItem> &items, const NameCollation &collation)
{
    const auto before = orderWith(collation);
    if (!worthAThread(items.size())) {
        std::sort(items.begin(), items.end(), before);
        return;
    }
    const auto middle = items.begin() + std::ptrdiff_t(items.size() / 2);
    {
        const std::jthread upper([&] {
            const NameCollation own(collation.locale());
            std::sort(middle, items.end(), orderWith(own));
        });
        std::sort(items.begin(), middle, before);
    }
    std::inplace_merge(items.begin(), middle, items.end(), before);
}
} // namespace

struct PersonListModel::SortKey
{
    int recordID;
    QString name; // the text the person is sorted and filed by
    QByteArray key;
    int row = -1; // the person's row, while nothing the order depends on changes
};

// A part of m_words or m_numbers.
struct PersonListModel::Span
{
    qsizetype at = 0;
    qsizetype size = 0;
};

struct PersonListModel::Entry
{
    PersonSummary person;
    int section;
    Span words;   // PersonSearch::appendWords of the names and the organisation, once searched
    Span numbers; // PersonSearch::appendNumber of each number, once read
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

// Every person of the address book with their sort key, both lists by record id, into `people`
// and the result; both empty when the reading failed part way.
std::vector<PersonListModel::SortKey> PersonListModel::readPeople(QList<PersonSummary> &people)
{
    // A name's collation key is the costliest part of a reload (a sync, an import): a person
    // whose name is the one the last reload read keeps its key, as long as the language is the
    // same. Both lists are by record id, so they are walked side by side. The other names are
    // keyed while the persons are still being read.
    const qsizetype expected = m_addressBook.personCount();
    SortKeyMaker newKeys(*m_collation, expected);
    std::vector<SortKey> keys;
    keys.reserve(size_t(expected));
    std::vector<size_t> newPositions;
    auto known = m_sortKeys.cbegin();
    people = m_addressBook.peopleSummaries([&](const PersonSummary &person) {
        QString name = sortName(person);
        while (known != m_sortKeys.cend() && known->recordID < person.recordID)
            ++known;
        QByteArray key;
        int row = -1;
        if (known != m_sortKeys.cend() && known->recordID == person.recordID && known->name == name) {
            key = known->key;
            if (m_people[size_t(known->row)].person == person)
                row = known->row;
        } else {
            newKeys.add(name);
            newPositions.push_back(keys.size());
        }
        keys.push_back(SortKey{person.recordID, std::move(name), std::move(key), row});
    });
    if (qsizetype(keys.size()) != people.size()) // the reading failed part way: no one is listed
        return {};
    const QList<QByteArray> made = newKeys.take();
    for (size_t i = 0; i < newPositions.size(); ++i)
        keys[newPositions[i]].key = made[qsizetype(i)];
    return keys;
}

void PersonListModel::reload()
{
    if (!m_collation || m_collation->locale() != QLocale()) {
        m_collation = std::make_unique<NameCollation>(QLocale());
        m_sortKeys.clear();
    }
    QList<PersonSummary> people;
    std::vector<SortKey> keys = readPeople(people);
    // The persons unchanged since the last reload keep their order among themselves (nothing
    // it depends on changed): only the others are sorted, and merged in.
    const auto item = [&](size_t i) {
        const PersonSummary &person = std::as_const(people)[qsizetype(i)];
        return SortItem{headOf(keys[i].key), sectionOf(keys[i].name), isNameless(person), keys[i].key, &person};
    };
    std::vector<int> byRow(m_people.size(), -1);
    std::vector<SortItem> kept;
    std::vector<SortItem> moved;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].row >= 0)
            byRow[size_t(keys[i].row)] = int(i);
        else
            moved.push_back(item(i));
    }
    kept.reserve(keys.size() - moved.size());
    for (const int i : byRow) {
        if (i >= 0)
            kept.push_back(item(size_t(i)));
    }
    sortItems(moved, *m_collation);
    std::vector<SortItem> items(keys.size());
    std::merge(kept.begin(), kept.end(), moved.begin(), moved.end(), items.begin(), orderWith(*m_collation));
    for (size_t row = 0; row < items.size(); ++row)
        keys[size_t(items[row].person - people.constData())].row = int(row);
    m_sortKeys = std::move(keys);

    std::vector<Entry> entries;
    entries.reserve(items.size());
    for (const SortItem &item : items)
        entries.push_back(Entry{std::move(people[item.person - people.constData()]), item.section, {}, {}});
    const qsizetype count = rowCount();
    const bool wasEmpty = addressBookEmpty();
    beginResetModel();
    m_people = std::move(entries);
    m_wordsMade = false;
    m_numbersRead = false;
    m_words.clear();
    m_numbers.clear();
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
    if (search.hasDigits() && !m_numbersRead) {
        // Both go through every person: a long list's words are made on a thread of their own
        // while the numbers are read.
        std::jthread words;
        if (!m_wordsMade && worthAThread(m_people.size()))
            words = std::jthread([this] { makeWords(); });
        readNumbers();
    }
    if (!m_wordsMade)
        makeWords();
    const auto slice = [](const QString &text, Span span) { return QStringView(text).sliced(span.at, span.size); };
    for (size_t i = 0; i < m_people.size(); ++i) {
        if (search.matches(slice(m_words, m_people[i].words), slice(m_numbers, m_people[i].numbers)))
            rows.push_back(int(i));
    }
    return rows;
}

// Every person's words and numbers are written into one text, which costs one allocation
// instead of ten thousand.
void PersonListModel::makeWords()
{
    m_wordsMade = true;
    for (Entry &entry : m_people) {
        const PersonSummary &p = entry.person;
        entry.words.at = m_words.size();
        PersonSearch::appendWords(m_words, {part(p.firstName), part(p.middleName), part(p.lastName), part(p.organization)});
        entry.words.size = m_words.size() - entry.words.at;
    }
}

void PersonListModel::readNumbers()
{
    m_numbersRead = true;
    QHash<int, size_t> positions;
    positions.reserve(qsizetype(m_people.size()));
    for (size_t i = 0; i < m_people.size(); ++i)
        positions.insert(m_people[i].person.recordID, i);
    // The numbers come in no order: their digits are gathered first, then laid out person by
    // person.
    struct Piece
    {
        size_t position;
        Span digits;
    };
    std::vector<Piece> pieces;
    QString digits;
    m_addressBook.readPhoneValues([&](int recordID, QByteArrayView number) {
        const auto at = positions.constFind(recordID);
        if (at == positions.constEnd())
            return;
        const qsizetype start = digits.size();
        PersonSearch::appendNumber(digits, number);
        pieces.push_back(Piece{*at, Span{start, digits.size() - start}});
        m_people[*at].numbers.size += digits.size() - start;
    });
    qsizetype at = 0;
    for (Entry &entry : m_people) {
        entry.numbers.at = at;
        at += std::exchange(entry.numbers.size, 0);
    }
    m_numbers.resize(at);
    for (const Piece &piece : pieces) {
        Span &numbers = m_people[piece.position].numbers;
        std::copy_n(digits.constData() + piece.digits.at, piece.digits.size, m_numbers.data() + numbers.at + numbers.size);
        numbers.size += piece.digits.size;
    }
}
