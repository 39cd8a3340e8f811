#include "access/CountryListModel.h"

CountryListModel::CountryListModel(QString prompt, QObject *parent)
    : QAbstractListModel(parent)
    , m_prompt(std::move(prompt))
{
}

void CountryListModel::setCountries(QList<CountryList::Entry> countries)
{
    const int before = rowCount();
    beginResetModel();
    m_countries = std::move(countries);
    endResetModel();
    if (rowCount() != before)
        Q_EMIT countChanged();
}

std::optional<CountryList::Entry> CountryListModel::entry(int row) const
{
    const int index = row - firstCountryRow();
    if (index < 0 || index >= m_countries.size())
        return std::nullopt;
    return m_countries[index];
}

int CountryListModel::rowForKey(const QString &key) const
{
    for (qsizetype index = 0; index < m_countries.size(); ++index) {
        if (m_countries[index].key == key)
            return int(index) + firstCountryRow();
    }
    return -1;
}

int CountryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_countries.size()) + firstCountryRow();
}

QVariant CountryListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const std::optional<CountryList::Entry> country = entry(index.row());
    switch (role) {
    case KeyRole:
        return country ? country->key : QString();
    case NameRole:
    case Qt::DisplayRole:
        return country ? country->name.chopped(country->name.endsWith(u' ') ? 1 : 0) : m_prompt;
    default:
        return {};
    }
}

QHash<int, QByteArray> CountryListModel::roleNames() const
{
    return {{KeyRole, "key"}, {NameRole, "name"}};
}
