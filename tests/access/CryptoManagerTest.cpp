#include "access/CryptoManager.h"

#include <gtest/gtest.h>

namespace {
QByteArray hex(const char *digits) { return QByteArray::fromHex(digits); }

// Lengths, damaged files and other keys are read through the data file reader's tests.
TEST(CryptoManagerTest, TheOptionsWordChoosesModeAndPaddingAndTheFinalStepDecides)
{
    // ECB without padding: the published answer of FIPS 197.
    EXPECT_EQ(CryptoManager::decrypt(hex("69c4e0d86a7b0430d8cdb78070b4c55a"), hex("000102030405060708090a0b0c0d0e0f"), CryptoManager::ECBMode),
              hex("00112233445566778899aabbccddeeff"));
    // CBC: the input's own first block is the vector; without padding the pad bytes stay.
    const QByteArray key = hex("2b7e151628aed2a6abf7158809cf4f3c");
    const QByteArray vector(16, '\x5a');
    const QByteArray good = vector + *CryptoManager::encrypt("ABC", key, vector, CryptoManager::PKCS7Padding);
    EXPECT_EQ(CryptoManager::decrypt(good, key, CryptoManager::PKCS7Padding)->mid(16), "ABC");
    EXPECT_EQ(CryptoManager::decrypt(good, key, 0)->mid(16), "ABC" + QByteArray(13, '\x0d'));

    QByteArray damaged = good;
    damaged[31] = char(damaged[31] ^ 0x40);
    const std::pair<const char *, std::optional<QByteArray>> cases[] = {
        {"15 bytes", CryptoManager::decrypt(good.left(15), key, CryptoManager::PKCS7Padding)},
        {"damaged last block", CryptoManager::decrypt(damaged, key, CryptoManager::PKCS7Padding)},
        {"short key", CryptoManager::decrypt(good, key.left(15), CryptoManager::PKCS7Padding)},
        {"unpadded, not whole blocks", CryptoManager::decrypt(good.left(20), key, 0)},
        {"short vector", CryptoManager::encrypt("ABC", key, vector.left(8), CryptoManager::PKCS7Padding)},
    };
    for (const auto &[name, result] : cases)
        EXPECT_FALSE(result) << name;
}
} // namespace
