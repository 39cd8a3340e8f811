#include "datafile/CryptoManager.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <climits>

namespace {
// EVP counts in int: larger inputs are fed in pieces of whole blocks.
constexpr qsizetype piece = (INT_MAX / CryptoManager::blockSize - 1) * CryptoManager::blockSize;

std::optional<QByteArray> cipherCopy(QByteArrayView input, const QByteArray &key,
                                     const unsigned char *vector, CryptoManager::Operation operation,
                                     quint32 options)
{
    CryptoManager::Stream stream(key, vector, operation, options);
    if (!stream.isValid())
        return std::nullopt;
    // The update step may hold back one block and the final step adds at most one.
    QByteArray output(input.size() + 2 * CryptoManager::blockSize, Qt::Uninitialized);
    qsizetype moved = 0;
    for (qsizetype offset = 0; offset < input.size(); offset += piece) {
        const qsizetype written = stream.update(input.constData() + offset,
                                                std::min(piece, input.size() - offset), output.data() + moved);
        if (written < 0)
            return std::nullopt;
        moved += written;
    }
    const qsizetype last = stream.finish(output.data() + moved);
    if (last < 0)
        return std::nullopt;
    output.truncate(moved + last);
    return output;
}

// The chaining vector of `input`: its own first block; a shorter input leaves the rest zero.
std::array<unsigned char, CryptoManager::blockSize> vectorOf(QByteArrayView input)
{
    std::array<unsigned char, CryptoManager::blockSize> vector = {};
    std::copy_n(input.constData(), std::min<qsizetype>(CryptoManager::blockSize, input.size()),
                vector.begin());
    return vector;
}
} // namespace

CryptoManager::Stream::Stream(const QByteArray &key, const unsigned char *vector, Operation operation,
                              quint32 options)
{
    if (key.size() != keySize)
        return;
    EVP_CIPHER_CTX *context = EVP_CIPHER_CTX_new();
    if (!context)
        return;
    const bool ecb = options & ECBMode;
    if (EVP_CipherInit_ex(context, ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc(), nullptr,
                          reinterpret_cast<const unsigned char *>(key.constData()),
                          ecb ? nullptr : vector, operation == Encrypt ? 1 : 0)
        != 1) {
        EVP_CIPHER_CTX_free(context);
        return;
    }
    EVP_CIPHER_CTX_set_padding(context, (options & PKCS7Padding) ? 1 : 0);
    m_context = context;
}

CryptoManager::Stream::~Stream() { EVP_CIPHER_CTX_free(m_context); }

qsizetype CryptoManager::Stream::update(const char *in, qsizetype size, char *out)
{
    int written = 0;
    if (!m_context || size > piece
        || EVP_CipherUpdate(m_context, reinterpret_cast<unsigned char *>(out), &written,
                            reinterpret_cast<const unsigned char *>(in), int(size))
            != 1)
        return -1;
    return written;
}

qsizetype CryptoManager::Stream::finish(char *out)
{
    int written = 0;
    if (!m_context || EVP_CipherFinal_ex(m_context, reinterpret_cast<unsigned char *>(out), &written) != 1)
        return -1;
    return written;
}

std::optional<QByteArray> CryptoManager::decrypt(QByteArrayView input, const QByteArray &key,
                                                 quint32 options)
{
    return doCipher(input, key, Decrypt, options);
}

std::optional<QByteArray> CryptoManager::doCipher(QByteArrayView input, const QByteArray &key,
                                                  Operation operation, quint32 options)
{
    return cipherCopy(input, key, vectorOf(input).data(), operation, options);
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

std::jthread CryptoManager::prepareMeanwhile()
{
    return std::jthread([] {
        md5({});
        const unsigned char vector[blockSize] = {};
        const Stream stream(QByteArray(keySize, '\0'), vector, Decrypt, PKCS7Padding);
    });
}

void CryptoManager::releaseThreadState() { OPENSSL_thread_stop(); }
