#include "datafile/UpdateSignature.h"

#include <memory>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace {
using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

// An Ed25519 key in PEM takes about 120 bytes; a larger text is not one.
constexpr qsizetype maxKeySize = 64 * 1024;

// OpenSSL would ask the terminal for the pass phrase of an enciphered key: there is none.
int noPassphrase(char *, int, int, void *) { return -1; }

// The Ed25519 key in `pem`, or null. Whatever OpenSSL noted on the way is cleared, so that it
// cannot be taken for a later failure of this thread's TLS connections.
Key readKey(QByteArrayView pem, bool isPrivate)
{
    Key key(nullptr, &EVP_PKEY_free);
    if (pem.size() > maxKeySize)
        return key;
    const Bio bio(BIO_new_mem_buf(pem.data(), int(pem.size())), &BIO_free);
    if (bio)
        key.reset(isPrivate ? PEM_read_bio_PrivateKey(bio.get(), nullptr, noPassphrase, nullptr)
                            : PEM_read_bio_PUBKEY(bio.get(), nullptr, noPassphrase, nullptr));
    ERR_clear_error();
    if (key && EVP_PKEY_get_id(key.get()) != EVP_PKEY_ED25519)
        key.reset();
    return key;
}

QByteArray signedText(int version, QByteArrayView file)
{
    QByteArray text = "farline-update\n" + QByteArray::number(version) + '\n';
    return text.append(file);
}

const unsigned char *bytes(QByteArrayView view) { return reinterpret_cast<const unsigned char *>(view.data()); }

QByteArray pemOf(const Key &key, bool isPrivate)
{
    const Bio bio(BIO_new(BIO_s_mem()), &BIO_free);
    if (!bio || (isPrivate ? PEM_write_bio_PrivateKey(bio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr)
                           : PEM_write_bio_PUBKEY(bio.get(), key.get())) != 1)
        return {};
    char *data = nullptr;
    const long length = BIO_get_mem_data(bio.get(), &data);
    return QByteArray(data, qsizetype(length));
}
} // namespace

std::optional<UpdateSignature::KeyPair> UpdateSignature::generateKeyPair()
{
    const Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), &EVP_PKEY_free);
    KeyPair pair;
    if (key) {
        pair.privateKey = pemOf(key, true);
        pair.publicKey = pemOf(key, false);
    }
    ERR_clear_error();
    if (pair.privateKey.isEmpty() || pair.publicKey.isEmpty())
        return std::nullopt;
    return pair;
}

bool UpdateSignature::isPublicKey(QByteArrayView pem) { return readKey(pem, false) != nullptr; }

std::optional<QByteArray> UpdateSignature::sign(QByteArrayView privateKey, int version, QByteArrayView file)
{
    const Key key = readKey(privateKey, true);
    const DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!key || !context)
        return std::nullopt;
    const QByteArray text = signedText(version, file);
    QByteArray signature(size, '\0');
    size_t length = size_t(signature.size());
    const bool signedOk = EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) == 1
        && EVP_DigestSign(context.get(), reinterpret_cast<unsigned char *>(signature.data()), &length, bytes(text),
                          size_t(text.size())) == 1
        && length == size_t(size);
    ERR_clear_error();
    return signedOk ? std::optional(signature) : std::nullopt;
}

bool UpdateSignature::verify(QByteArrayView publicKey, int version, QByteArrayView file, QByteArrayView signature)
{
    const Key key = readKey(publicKey, false);
    const DigestContext context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!key || !context || signature.size() != size)
        return false;
    const QByteArray text = signedText(version, file);
    const bool verified = EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) == 1
        && EVP_DigestVerify(context.get(), bytes(signature), size_t(signature.size()), bytes(text), size_t(text.size())) == 1;
    ERR_clear_error();
    return verified;
}
