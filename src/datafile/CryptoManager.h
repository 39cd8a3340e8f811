#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>
#include <thread>

struct evp_cipher_ctx_st; // OpenSSL's EVP_CIPHER_CTX

// AES-128 and MD5 over OpenSSL's EVP interface. Stateless: class operations only.
class CryptoManager
{
public:
    CryptoManager() = delete;

    // The options word: bit 1 PKCS#7 padding, bit 2 ECB; without bit 2 the chaining is CBC.
    enum Option : quint32 { PKCS7Padding = 1, ECBMode = 2 };
    enum Operation { Encrypt = 0, Decrypt = 1 };

    static constexpr int keySize = 16;
    static constexpr int blockSize = 16;

    // `input` deciphered under the 16-byte `key`, the chaining vector being the first 16 bytes
    // of `input` itself (zero-filled when it is shorter). None when the final step fails (bad
    // padding, a length that is not a whole number of blocks) or the key is not 16 bytes.
    static std::optional<QByteArray> decrypt(QByteArrayView input, const QByteArray &key,
                                             quint32 options);
    // `decrypt` for operation Decrypt, and the same with encipherment for Encrypt.
    static std::optional<QByteArray> doCipher(QByteArrayView input, const QByteArray &key,
                                              Operation operation, quint32 options);

    // A cipher fed piece by piece, for data too large to hold twice.
    class Stream
    {
    public:
        // Invalid when the key is not 16 bytes or the cipher cannot be set up.
        Stream(const QByteArray &key, const unsigned char *vector, Operation operation, quint32 options);
        ~Stream();
        Stream(const Stream &) = delete;
        Stream &operator=(const Stream &) = delete;

        bool isValid() const { return m_context != nullptr; }
        // Ciphers `size` bytes of `in` into `out`, which has room for `size` + 16 bytes; the
        // number of bytes written, or -1 when the step fails.
        qsizetype update(const char *in, qsizetype size, char *out);
        // The held-back rest into `out` (room for 16 bytes); its length, or -1 when the final
        // step fails (bad padding, not a whole number of blocks).
        qsizetype finish(char *out);

    private:
        evp_cipher_ctx_st *m_context = nullptr;
    };
    // `input` enciphered under `key` with an explicit 16-byte chaining vector; none when the
    // key or the vector has the wrong size or the cipher fails.
    static std::optional<QByteArray> encrypt(const QByteArray &input, const QByteArray &key,
                                             const QByteArray &vector, quint32 options);

    // The MD5 digest (16 bytes) of `bytes`.
    static QByteArray md5(const QByteArray &bytes);

    // OpenSSL's first use reads its configuration, loads its providers and looks MD5 and AES
    // up: longer than deciphering a small file, and at every start that reads one. The thread
    // returned does that meanwhile; a use that comes before it ends waits for it, as it would
    // have for its own. Kept until the program no longer needs it: it joins when let go.
    static std::jthread prepareMeanwhile();
    // Lets go of what OpenSSL keeps for the calling thread (its error queue). It would go with the
    // thread's own storage, but a QThread's wait() returns before that: a program ending right
    // after it would leave it behind. Called by such a thread as it ends.
    static void releaseThreadState();
};
