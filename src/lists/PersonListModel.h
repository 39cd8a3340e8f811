#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <memory>
#include <vector>

class AddressBook;
class NameCollation;
struct PersonSummary;

// Every person of the address book as a contacts browser lists them: by last name, then first
// name, middle name and organisation, compared as a reader of the user's language would, case
// and accents aside. A person without a last name is filed by the first name, else the middle
// name, else the organisation, so that an organisation alone ("Pizza Roma") stands under its
// own letter. Each row's section is the base letter of that text ("Müller" and "Ärzte" under
// M and A), or "#" for any other text, shown after Z; persons with neither a name nor an
// organisation (an empty text counts as none) close the list, by their first number.
//
// The search text narrows the rows as it is typed (see PersonSearch). reload() reads the names
// from the address book; the numbers are read when a search first has digits and kept until the
// next reload(). Nothing is read before the first reload().
class PersonListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    // The address book holds no person at all, whatever the search.
    Q_PROPERTY(bool addressBookEmpty READ addressBookEmpty NOTIFY addressBookEmptyChanged)

public:
    enum Role {
        RecordIDRole = Qt::UserRole + 1, // int
        NameRole,                        // first, middle and last name; else the organisation;
                                         // else the first number, or "[No name supplied]"
        SectionRole,                     // "A" to "Z", or "#"
        OrganizationRole,                // the organisation, or empty
    };
    Q_ENUM(Role)

    explicit PersonListModel(AddressBook &addressBook, QObject *parent = nullptr);
    ~PersonListModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QString &searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    bool addressBookEmpty() const;

    // Reads the persons again (after an import or a removal); the search stays.
    Q_INVOKABLE void reload();
    // One person as their screen shows them: {name, organization, phones: [{identifier, type,
    // number, callable}]}, the type by the label rule in lower case, callable false for a number
    // Farline refuses to dial (see KeypadNumber); empty for a person not there.
    Q_INVOKABLE QVariantMap details(int recordID) const;

Q_SIGNALS:
    void searchTextChanged();
    void countChanged();
    void addressBookEmptyChanged();

private:
    struct SortKey;
    struct Span;
    struct Entry;

    std::vector<SortKey> readPeople(QList<PersonSummary> &people);
    // The positions of the persons the search lets through; makes the words and reads the
    // numbers when it first needs them.
    std::vector<int> matchingRows();
    void makeWords();
    void readNumbers();

    AddressBook &m_addressBook;
    std::vector<Entry> m_people; // in the list's order
    std::vector<int> m_rows;     // the positions in m_people that the search lets through
    QString m_searchText;
    bool m_wordsMade = false;
    bool m_numbersRead = false;
    QString m_words;   // every person's words, once a search needs them
    QString m_numbers; // every person's numbers, once a search has digits
    std::unique_ptr<NameCollation> m_collation; // of the language the last reload sorted in
    std::vector<SortKey> m_sortKeys;            // by record id, as the last reload made them
};
