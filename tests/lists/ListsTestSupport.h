#pragma once

#include "core/CallInitiator.h"
#include "core/FailureReporter.h"
#include "core/FavoriteRecord.h"
#include "addressbook/AddressBook.h"
#include "platform/Home.h"
#include "support/Files.h"
#include "support/People.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Keeps every call handed over, as call placement would receive it.
class RecordingCalls final : public CallInitiator
{
public:
    void InitateCall(const FavoriteRecordPtr &record) override { calls.push_back(record); }
    std::vector<FavoriteRecordPtr> calls;
};

// Keeps every failure and warning said, with the clock at a fixed moment.
class RecordingReports final : public FailureReporter
{
public:
    void reportFailure(const QString &message) override { failures.append(message); }
    void reportWarning(const QString &message) override { warnings.append(message); }
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC); }
    QStringList failures;
    QStringList warnings;
};

inline FavoriteRecordPtr record(const char *number, const char *name, const char *type, int contactID, int identifier)
{
    return std::make_shared<FavoriteRecord>(FavoriteRecord{QString::fromUtf8(number), QString::fromUtf8(name), QString::fromUtf8(type),
                                                           contactID, identifier, QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC)});
}

// A record's fields but the start time in one text, "name|type|number|contactID|identifier".
inline QString fieldsOf(const FavoriteRecord &r)
{
    return QStringLiteral("%1|%2|%3|%4|%5").arg(r.displayName, r.phoneType, r.phoneNumber).arg(r.contactID).arg(r.identifier);
}

template<typename Records>
QStringList fieldsOf(const Records &records)
{
    QStringList fields;
    for (const FavoriteRecordPtr &r : records)
        fields.append(fieldsOf(*r));
    return fields;
}

inline QStringList numbersOf(const QList<FavoriteRecordPtr> &records)
{
    QStringList numbers;
    for (const FavoriteRecordPtr &r : records)
        numbers.append(r->phoneNumber);
    return numbers;
}

inline const std::optional<QString> mobileLabel = QStringLiteral("_$!<Mobile>!$_");
inline const std::optional<QString> homeLabel = QStringLiteral("_$!<Home>!$_");

// A temporary home with an address book and recorded calls.
class ListsTest : public ::testing::Test
{
protected:
    int addPerson(Text first, Text last, Text organization, QList<PhoneDraft> phones, Text middle = {})
    {
        const auto id = addressBook.addPerson(QStringLiteral("test:%1").arg(++m_persons),
                                              draft(std::move(first), std::move(last), std::move(organization), std::move(phones), std::move(middle)));
        EXPECT_TRUE(id) << addressBook.errorText().toStdString();
        return id.value_or(0);
    }
    // Replaces a person's phone list, keeping the identifiers given.
    void setPhones(int recordID, QList<PhoneDraft> phones)
    {
        const Person person = *addressBook.personWithRecordID(recordID);
        PersonDraft draft{person.firstName, person.middleName, person.lastName, person.organization, std::move(phones)};
        ASSERT_TRUE(addressBook.updatePerson(recordID, draft));
    }
    void writeDocument(const QString &name, const QByteArray &bytes) const
    {
        writeFile(home.documentPath(name), bytes);
    }

    QTemporaryDir dir;
    Home home{dir.path()};
    AddressBook addressBook{dir.path() + QStringLiteral("/AddressBook.sqlite")};
    RecordingCalls calls;
    RecordingReports reports;

private:
    int m_persons = 0;
};
