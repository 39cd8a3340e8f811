#include "lists/CallRecordModel.h"

#include "core/KeypadNumber.h"

int CallRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant CallRecordModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FavoriteRecord &record = *m_records[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return record.displayName;
    case TypeRole:
        return record.phoneType.toLower();
    case NumberRole:
        return record.phoneNumber;
    case DateTextRole:
        return dateText(record.startTime);
    case CallableRole:
        return KeypadNumber::read(record.phoneNumber).text.has_value();
    default:
        return {};
    }
}

QHash<int, QByteArray> CallRecordModel::roleNames() const
{
    return {{NameRole, "name"}, {TypeRole, "type"}, {NumberRole, "number"}, {DateTextRole, "dateText"},
            {CallableRole, "callable"}};
}

void CallRecordModel::setRecords(QList<FavoriteRecordPtr> records)
{
    const bool countChanges = records.size() != m_records.size();
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
    if (countChanges)
        Q_EMIT countChanged();
}

void CallRecordModel::insertRecord(int row, FavoriteRecordPtr record)
{
    beginInsertRows({}, row, row);
    m_records.insert(row, std::move(record));
    endInsertRows();
    Q_EMIT countChanged();
}

void CallRecordModel::removeRecord(int row)
{
    beginRemoveRows({}, row, row);
    m_records.removeAt(row);
    endRemoveRows();
    Q_EMIT countChanged();
}

void CallRecordModel::moveRecord(int from, int to)
{
    if (from == to)
        return;
    // beginMoveRows names the row before which the moved row lands, counted before the move.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_records.move(from, to);
    endMoveRows();
}

void CallRecordModel::recordsChanged()
{
    if (!m_records.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_records.size()) - 1));
}

QString CallRecordModel::dateText(const std::optional<QDateTime> &startTime)
{
    if (!startTime || !startTime->isValid())
        return {};
    const QDateTime local = startTime->toLocalTime();
    const int hour = local.time().hour() % 12;
    return local.toString(QStringLiteral("yyyy-MM-dd\n")) + QStringLiteral("%1").arg(hour == 0 ? 12 : hour, 2, 10, QChar(u'0'))
           + local.toString(QStringLiteral(":mm:ss"));
}
