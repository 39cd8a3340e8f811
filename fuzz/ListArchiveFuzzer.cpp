// Reads any bytes as a recent calls or favourites archive, shows the rows and writes them back.
#include "lists/CallRecordArchive.h"
#include "lists/CallRecordModel.h"
#include "platform/KeyedArchive.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const auto &[key, maxCount] : {std::pair{QStringLiteral("ReecentCollection"), 50},
                                        std::pair{QStringLiteral("FavoritesCollection"), 15}}) {
        const QList<FavoriteRecordPtr> records = CallRecordArchive::fromBytes(bytes, key, maxCount);
        if (records.size() > maxCount)
            std::abort();
        CallRecordModel model;
        model.setRecords(records);
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int role : {int(CallRecordModel::NameRole), int(CallRecordModel::TypeRole),
                             int(CallRecordModel::NumberRole), int(CallRecordModel::DateTextRole)})
                (void)model.data(model.index(row), role);
        }
        // What was read must survive a write and a read unchanged.
        for (const FavoriteRecordPtr &record : records) {
            (void)FavoriteRecord::phoneTypeFromLabel(record->phoneType);
            const auto again = FavoriteRecord::decode(record->encode());
            if (!again || again->phoneNumber != record->phoneNumber || again->displayName != record->displayName
                || again->phoneType != record->phoneType || again->contactID != record->contactID
                || again->identifier != record->identifier || again->startTime != record->startTime)
                std::abort();
        }
    }
    return 0;
}
