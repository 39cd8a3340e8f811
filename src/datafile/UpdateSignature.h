#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// What makes an access number file authentic: an Ed25519 signature (OpenSSL EVP) over the text
// "farline-update\n<version>\n" followed by the file's bytes, so that a file signed for one
// version cannot be offered under another. The operator publishes its 64 bytes as "FILE.sig"
// beside the file; the program holds the public key. Keys are PEM texts: the private key PKCS#8
// without a pass phrase, the public key SubjectPublicKeyInfo.
class UpdateSignature
{
public:
    UpdateSignature() = delete;

    static constexpr int size = 64;

    struct KeyPair
    {
        QByteArray privateKey;
        QByteArray publicKey;
    };
    // A new pair from the system's random source; none when OpenSSL cannot make one.
    static std::optional<KeyPair> generateKeyPair();

    // Whether `pem` holds an Ed25519 public key.
    static bool isPublicKey(QByteArrayView pem);
    // The signature of `file` published as `version`; none when `privateKey` holds no Ed25519
    // private key (a pass phrase is never asked for).
    static std::optional<QByteArray> sign(QByteArrayView privateKey, int version, QByteArrayView file);
    // Whether `signature` is that of `file` published as `version` under `publicKey`.
    static bool verify(QByteArrayView publicKey, int version, QByteArrayView file, QByteArrayView signature);
};
