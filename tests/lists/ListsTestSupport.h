#pragma once

#include "core/CallInitiator.h"
#include "platform/AddressBook.h"
#include "platform/Home.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Keeps every call handed over, as call placement would receive it.
class RecordingCalls final : public CallInitiator
{
public:
    void InitateCall(const FavoriteRecordPtr &record) override { calls.push_back(record); }
    std::vector<FavoriteRecordPtr> calls;
};

// A temporary home with an address book and recorded calls.
class ListsTest : public ::testing::Test
{
protected:
    using Text = std::optional<QString>;

    int addPerson(Text first, Text last, Text organization, QList<PhoneDraft> phones)
    {
        PersonDraft draft;
        draft.firstName = std::move(first);
        draft.lastName = std::move(last);
        draft.organization = std::move(organization);
        draft.phones = std::move(phones);
        const auto id = addressBook.addPerson(QStringLiteral("test:%1").arg(++m_persons), draft);
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
    static PhoneDraft phone(const char *value, Text label = {}, std::optional<int> identifier = {})
    {
        return PhoneDraft{identifier, std::move(label), QString::fromUtf8(value)};
    }
    static FavoriteRecordPtr record(const char *number, const char *name, const char *type, int contactID, int identifier)
    {
        auto made = std::make_shared<FavoriteRecord>();
        made->phoneNumber = QString::fromUtf8(number);
        made->displayName = QString::fromUtf8(name);
        made->phoneType = QString::fromUtf8(type);
        made->contactID = contactID;
        made->identifier = identifier;
        made->startTime = QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC);
        return made;
    }

    QTemporaryDir dir;
    Home home{dir.path()};
    AddressBook addressBook{dir.path() + QStringLiteral("/AddressBook.sqlite")};
    RecordingCalls calls;

private:
    int m_persons = 0;
};

inline const std::optional<QString> mobileLabel = QStringLiteral("_$!<Mobile>!$_");
inline const std::optional<QString> homeLabel = QStringLiteral("_$!<Home>!$_");
