#include "data/DataCommand.h"

#include "datafile/DataFileCheck.h"
#include "datafile/DataFileEnvelope.h"
#include "datafile/UpdateSignature.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <QXmlStreamWriter>

namespace {
struct PublishOptions
{
    QString plain;
    std::optional<int> version;
    std::optional<QString> url;
    std::optional<QString> out;
    std::optional<QString> sign; // the private key's file
    bool refuse = false;
};

// The descriptor the program asks for as "/server.php?getfile=conf&version=N&device=iph": a
// static server hands out the same file whatever the query, and the program decides itself
// whether the version is newer than its own.
QByteArray descriptor(const PublishOptions &options)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("Books"));
    writer.writeStartElement(QStringLiteral("Book"));
    writer.writeTextElement(QStringLiteral("process"), options.refuse ? QStringLiteral("false") : QStringLiteral("true"));
    writer.writeTextElement(QStringLiteral("file"), *options.url);
    writer.writeTextElement(QStringLiteral("version"), QString::number(*options.version));
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

// Where inside the tree a static server looks for the file at `url`: its decoded path, which
// must name a file below the tree's root other than the descriptor.
std::optional<QString> placeOf(const QUrl &url)
{
    const QString path = url.path(QUrl::FullyDecoded);
    const QStringList segments = path.split(u'/');
    if (!path.startsWith(u'/') || path.endsWith(u'/') || path == u"/server.php")
        return std::nullopt;
    for (qsizetype i = 1; i < segments.size(); ++i) {
        const QString &segment = segments[i];
        if (segment.isEmpty() || segment == u"." || segment == u".." || segment.contains(QChar(0)))
            return std::nullopt;
    }
    return path.sliced(1);
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString &error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}
} // namespace

int runPublish(const QStringList &arguments)
{
    PublishOptions options;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--refuse") {
            options.refuse = true;
        } else if (argument == u"--version" || argument == u"--url" || argument == u"--out" || argument == u"--sign") {
            if (++i == arguments.size())
                return usageError(QStringLiteral("%1 needs a value").arg(argument));
            if (argument == u"--version") {
                bool isNumber = false;
                options.version = arguments[i].toInt(&isNumber);
                if (!isNumber)
                    return usageError(QStringLiteral("--version needs a whole number, not '%1'").arg(arguments[i]));
            } else {
                (argument == u"--url" ? options.url : argument == u"--out" ? options.out : options.sign) = arguments[i];
            }
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return usageError(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 1 || !options.version || !options.url || !options.out || options.out->isEmpty())
        return usageError(QStringLiteral("publish needs PLAIN, --version N, --url URL and --out DIR"));
    options.plain = files.first();

    const QUrl url(*options.url, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return usageError(QStringLiteral("--url needs an http or https address, not '%1'").arg(*options.url));
    const std::optional<QString> place = placeOf(url);
    if (!place)
        return usageError(QStringLiteral("the path of '%1' does not name a file inside the tree").arg(*options.url));

    QFile plain(options.plain);
    if (!plain.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot read %1: %2").arg(options.plain, plain.errorString()));
    const QByteArray input = plain.readAll();
    if (plain.error() != QFileDevice::NoError)
        return failure(QStringLiteral("cannot read %1: %2").arg(options.plain, plain.errorString()));
    const auto sealed = DataFileEnvelope::seal(dataFileText(input), DataFileEnvelope::randomChainingBlock());
    if (!sealed)
        return failure(QStringLiteral("cannot encipher %1").arg(options.plain));
    // What the program would refuse is not published.
    DataFileCheck check;
    check.feed(*sealed);
    switch (check.finish()) {
    case DataFileCheck::Verdict::Valid:
        break;
    case DataFileCheck::Verdict::LineWithoutAccessNumber:
        return failure(QStringLiteral("%1: line %2 holds no access number").arg(options.plain).arg(check.badLine()));
    default:
        return failure(QStringLiteral("%1 holds no access numbers").arg(options.plain));
    }
    std::optional<QByteArray> signature;
    if (options.sign) {
        QFile key(*options.sign);
        if (!key.open(QIODevice::ReadOnly))
            return failure(QStringLiteral("cannot read %1: %2").arg(*options.sign, key.errorString()));
        signature = UpdateSignature::sign(key.read(64 * 1024), *options.version, *sealed);
        if (!signature)
            return failure(QStringLiteral("%1 holds no Ed25519 private key in PEM form without a pass phrase "
                                          "(farline-data keygen writes one)").arg(*options.sign));
    }

    // The file and its signature first: a tree being published never announces a file that is
    // not there yet.
    const QDir tree(*options.out);
    QString error;
    if (!writeWhole(tree.filePath(*place), *sealed, error)
        || (signature && !writeWhole(tree.filePath(*place + QStringLiteral(".sig")), *signature, error))
        || !writeWhole(tree.filePath(QStringLiteral("server.php")), descriptor(options), error))
        return failure(error);
    return 0;
}
