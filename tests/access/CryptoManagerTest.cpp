#include "access/CryptoManager.h"

#include <gtest/gtest.h>

namespace {
QByteArray hex(const char *digits) { return QByteArray::fromHex(digits); }

TEST(CryptoManagerTest, TheOptionsWordChoosesModeAndPadding)
{
    // ECB: the published answer of FIPS 197 (CBC meets the openssl command in the tools' tests).
    const QByteArray fipsKey = hex("000102030405060708090a0b0c0d0e0f");
    EXPECT_EQ(CryptoManager::decrypt(hex("69c4e0d86a7b0430d8cdb78070b4c55a"), fipsKey, CryptoManager::ECBMode),
              hex("00112233445566778899aabbccddeeff"));

    const QByteArray key = hex("2b7e151628aed2a6abf7158809cf4f3c");
    const QByteArray vector = hex("000102030405060708090a0b0c0d0e0f");
    // With padding, encipherment and decipherment are each other's inverse over any length.
    for (const QByteArray &text : {QByteArray(), QByteArray("ABC"), QByteArray(16, 'x'), QByteArray(100, '\0')}) {
        const auto sealed = CryptoManager::encrypt(text, key, vector, CryptoManager::PKCS7Padding);
        ASSERT_TRUE(sealed);
        EXPECT_EQ(sealed->size(), (text.size() / 16 + 1) * 16);
        EXPECT_EQ(CryptoManager::decrypt(vector + *sealed, key, CryptoManager::PKCS7Padding)->mid(16), text);
    }
}

TEST(CryptoManagerTest, GivesNoDataWhenTheFinalStepFails)
{
    const QByteArray key = hex("2b7e151628aed2a6abf7158809cf4f3c");
    const QByteArray vector(16, '\x5a');
    const QByteArray good = vector + *CryptoManager::encrypt("ABC", key, vector, CryptoManager::PKCS7Padding);
    QByteArray lastBlockDamaged = good;
    lastBlockDamaged[31] = char(lastBlockDamaged[31] ^ 0x40);

    const std::pair<const char *, std::optional<QByteArray>> cases[] = {
        {"empty", CryptoManager::decrypt({}, key, CryptoManager::PKCS7Padding)},
        {"15 bytes", CryptoManager::decrypt(good.left(15), key, CryptoManager::PKCS7Padding)},
        {"17 bytes", CryptoManager::decrypt(good.left(17), key, CryptoManager::PKCS7Padding)},
        {"31 bytes", CryptoManager::decrypt(good.left(31), key, CryptoManager::PKCS7Padding)},
        {"33 bytes", CryptoManager::decrypt(good + 'x', key, CryptoManager::PKCS7Padding)},
        {"damaged last block", CryptoManager::decrypt(lastBlockDamaged, key, CryptoManager::PKCS7Padding)},
        {"wrong key", CryptoManager::decrypt(good, CryptoManager::md5("QMBkey"), CryptoManager::PKCS7Padding)},
        {"short key", CryptoManager::decrypt(good, key.left(15), CryptoManager::PKCS7Padding)},
        {"unpadded, not whole blocks", CryptoManager::decrypt(good.left(20), key, 0)},
        {"short vector", CryptoManager::encrypt("ABC", key, vector.left(8), CryptoManager::PKCS7Padding)},
    };
    for (const auto &[name, result] : cases)
        EXPECT_FALSE(result) << name;
}
} // namespace
