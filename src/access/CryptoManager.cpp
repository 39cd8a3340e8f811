#include "access/CryptoManager.h"

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>

namespace {
struct ContextFree
{
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};

// EVP counts in int: larger inputs are fed in pieces of whole blocks.
constexpr qsizetype piece = (INT_MAX / CryptoManager::blockSize - 1) * CryptoManager::blockSize;

// Ciphers `size` bytes from `in` to `out` (the same place, or disjoint), which has room for
// `size` + 2 blocks; the length written, or none when a step fails.
std::optional<qsizetype> cipher(const unsigned char *in, qsizetype size, unsigned char *out,
                                const QByteArray &key, const unsigned char *vector,
                                CryptoManager::Operation operation, quint32 options)
{
    if (key.size() != CryptoManager::keySize)
        return std::nullopt;
    const std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context(EVP_CIPHER_CTX_new());
    if (!context)
        return std::nullopt;
    const bool ecb = options & CryptoManager::ECBMode;
    if (EVP_CipherInit_ex(context.get(), ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc(), nullptr,
                          reinterpret_cast<const unsigned char *>(key.constData()),
                          ecb ? nullptr : vector, operation == CryptoManager::Encrypt ? 1 : 0)
        != 1)
        return std::nullopt;
    EVP_CIPHER_CTX_set_padding(context.get(), (options & CryptoManager::PKCS7Padding) ? 1 : 0);

    qsizetype moved = 0;
    for (qsizetype offset = 0; offset < size; offset += piece) {
        int written = 0;
        if (EVP_CipherUpdate(context.get(), out + moved, &written, in + offset,
                             int(std::min(piece, size - offset)))
            != 1)
            return std::nullopt;
        moved += written;
    }
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context.get(), out + moved, &finalWritten) != 1)
        return std::nullopt;
    return moved + finalWritten;
}

std::optional<QByteArray> cipherCopy(const QByteArray &input, const QByteArray &key,
                                     const unsigned char *vector, CryptoManager::Operation operation,
                                     quint32 options)
{
    // The update step may hold back one block and the final step adds at most one.
    QByteArray output(input.size() + 2 * CryptoManager::blockSize, Qt::Uninitialized);
    const auto length = cipher(reinterpret_cast<const unsigned char *>(input.constData()), input.size(),
                               reinterpret_cast<unsigned char *>(output.data()), key, vector,
                               operation, options);
    if (!length)
        return std::nullopt;
    output.truncate(*length);
    return output;
}

// The chaining vector of `input`: its own first block; a shorter input leaves the rest zero.
std::array<unsigned char, CryptoManager::blockSize> vectorOf(const QByteArray &input)
{
    std::array<unsigned char, CryptoManager::blockSize> vector = {};
    std::copy_n(input.constData(), std::min<qsizetype>(CryptoManager::blockSize, input.size()),
                vector.begin());
    return vector;
}
} // namespace

std::optional<QByteArray> CryptoManager::decrypt(const QByteArray &input, const QByteArray &key,
                                                 quint32 options)
{
    return doCipher(input, key, Decrypt, options);
}

std::optional<QByteArray> CryptoManager::doCipher(const QByteArray &input, const QByteArray &key,
                                                  Operation operation, quint32 options)
{
    return cipherCopy(input, key, vectorOf(input).data(), operation, options);
}

bool CryptoManager::decryptInPlace(QByteArray &data, const QByteArray &key, quint32 options)
{
    const auto vector = vectorOf(data);
    const qsizetype size = data.size();
    if (size > piece) {
        // Past one piece the output would trail the input by a held-back block, and EVP allows
        // only the very same place or disjoint buffers.
        auto deciphered = cipherCopy(data, key, vector.data(), Decrypt, options);
        data = deciphered.value_or(QByteArray());
        return deciphered.has_value();
    }
    // Deciphering never lengthens the data; the room of two blocks is what EVP may touch.
    data.resize(size + 2 * blockSize);
    auto *bytes = reinterpret_cast<unsigned char *>(data.data());
    const auto length = cipher(bytes, size, bytes, key, vector.data(), Decrypt, options);
    data.truncate(length.value_or(0));
    return length.has_value();
}

std::optional<QByteArray> CryptoManager::encrypt(const QByteArray &input, const QByteArray &key,
                                                 const QByteArray &vector, quint32 options)
{
    if (vector.size() != blockSize)
        return std::nullopt;
    return cipherCopy(input, key, reinterpret_cast<const unsigned char *>(vector.constData()), Encrypt,
                      options);
}

QByteArray CryptoManager::md5(const QByteArray &bytes)
{
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    if (EVP_Digest(bytes.constData(), size_t(bytes.size()),
                   reinterpret_cast<unsigned char *>(digest.data()), &length, EVP_md5(), nullptr)
        != 1)
        return {};
    digest.truncate(int(length));
    return digest;
}
