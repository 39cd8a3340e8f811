#pragma once

#include "access/CountryList.h"

#include <QAbstractListModel>

// The countries a country screen offers, in its order: the first-start picker's wheel (whose
// first row is a prompt), and the SIM country screen's list. Each row has the country's key and
// its display name as shown (without the blank that ends it in the list).
class CountryListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Role { KeyRole = Qt::UserRole + 1, NameRole };
    Q_ENUM(Role)

    // With a `prompt`, row 0 shows it and has no key; the countries follow.
    explicit CountryListModel(QString prompt = {}, QObject *parent = nullptr);

    void setCountries(QList<CountryList::Entry> countries);
    // The country at `row` as the list gives it, its name ending in a blank; none for the prompt
    // and outside the rows.
    std::optional<CountryList::Entry> entry(int row) const;
    // The row of the first country with `key`; -1 when there is none.
    Q_INVOKABLE int rowForKey(const QString &key) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

Q_SIGNALS:
    void countChanged();

private:
    int firstCountryRow() const { return m_prompt.isEmpty() ? 0 : 1; }

    QString m_prompt;
    QList<CountryList::Entry> m_countries;
};
