#pragma once

#include "core/FavoriteRecord.h"

#include <QAbstractListModel>
#include <QList>

// The rows of a call list (recent calls, favourites) for a view. It holds the list's shared
// records; the screen that owns it changes the list only through it.
class CallRecordModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Role {
        NameRole = Qt::UserRole + 1, // displayName
        TypeRole,                    // phoneType in lower case
        NumberRole,                  // phoneNumber
        DateTextRole,                // startTime as dateText() writes it
        CallableRole,                // false for a number Farline refuses to dial (see KeypadNumber)
    };
    Q_ENUM(Role)

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<FavoriteRecordPtr> &records() const { return m_records; }
    void setRecords(QList<FavoriteRecordPtr> records);
    void insertRecord(int row, FavoriteRecordPtr record);
    void removeRecord(int row);
    // Moves the record at `from` so that it ends up at `to`.
    void moveRecord(int from, int to);
    // Tells the view that records were changed in place.
    void recordsChanged();

    // A start time as the recent calls show it, in the local time zone: "yyyy-MM-dd\nhh:mm:ss"
    // with 12-hour hours and no AM/PM marker; empty without start time.
    static QString dateText(const std::optional<QDateTime> &startTime);

Q_SIGNALS:
    void countChanged();

private:
    QList<FavoriteRecordPtr> m_records;
};
