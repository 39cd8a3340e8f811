#include "data/DataCommand.h"

#include "datafile/UpdateSignature.h"

#include <QDir>
#include <QFile>

namespace {
// Writes `bytes` into a new file at `path`, never over an existing one; a file cut short is
// removed.
bool writeNew(const QString &path, const QByteArray &bytes, QFileDevice::Permissions permissions, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    file.remove();
    return false;
}
} // namespace

int runKeygen(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments.first().startsWith(u'-'))
        return usageError(QStringLiteral("keygen needs DIR"));
    const QDir dir(arguments.first());
    if (!QDir().mkpath(dir.path()))
        return failure(QStringLiteral("cannot create the folder %1").arg(dir.path()));
    const QString privatePath = dir.filePath(QStringLiteral("update-key.pem"));
    const QString publicPath = dir.filePath(QStringLiteral("update-key.pub.pem"));
    // A private key written over would be lost, and with it every client built with its pair.
    for (const QString &path : {privatePath, publicPath}) {
        if (QFile::exists(path))
            return failure(QStringLiteral("%1 exists; keygen writes over no key").arg(path));
    }
    const std::optional<UpdateSignature::KeyPair> pair = UpdateSignature::generateKeyPair();
    if (!pair)
        return failure(QStringLiteral("OpenSSL could not make an Ed25519 key pair"));
    QString error;
    if (!writeNew(privatePath, pair->privateKey, QFile::ReadOwner | QFile::WriteOwner, error))
        return failure(error);
    if (!writeNew(publicPath, pair->publicKey, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther, error)) {
        QFile::remove(privatePath);
        return failure(error);
    }
    return 0;
}
