#include "access/HTTPManager.h"

#include "datafile/DataFileCheck.h"
#include "datafile/UpdateSignature.h"
#include "access/LANFileNameparser.h"
#include "access/LANFileParser.h"
#include "core/AppSettings.h"
#include "log/Log.h"
#include "platform/AtomicFile.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <limits>

const QString HTTPManager::descriptorQuery = QStringLiteral("/server.php?getfile=conf&version=%1&device=iph");

namespace {
QString tooSlow() { return QStringLiteral("The server took too long to answer"); }

QString signatureDoesNotVerify() { return QStringLiteral("The access number file's signature does not verify"); }

QString tooLarge(int operation)
{
    switch (operation) {
    case HTTPManager::Descriptor:
        return QStringLiteral("The server sent an update descriptor over 64 KiB");
    case HTTPManager::Signature:
        return signatureDoesNotVerify(); // no signature is that long
    default:
        return QStringLiteral("The server sent a file over 16 MiB");
    }
}

QString noFileAddress(const QString &address)
{
    return QStringLiteral("The update descriptor names no valid file address \"%1\"").arg(address);
}

// Where the signature of the file at `address` lies: beside it, its path followed by ".sig".
QString signatureAddress(const QString &address)
{
    QUrl url(address, QUrl::StrictMode);
    url.setPath(url.path(QUrl::FullyDecoded) + QStringLiteral(".sig"), QUrl::DecodedMode);
    return url.toString();
}
}

HTTPManager::HTTPManager(AppSettings &settings, QString lanFilePath, QString server,
                         QNetworkAccessManager &network, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_lanFilePath(std::move(lanFilePath))
    , m_server(std::move(server))
    , m_network(network)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &HTTPManager::checkDeadline);
}

HTTPManager::~HTTPManager() { dropReply(); }

int HTTPManager::UpdateLANFile()
{
    // Whatever a cancelled exchange left behind must not decide this one.
    m_settings.currentLANFileURL.reset();
    m_settings.pathForUpdateReceived = false;
    m_settings.errorOccured = 2;
    m_currentOperation = Descriptor;
    m_currentVersionNumber = m_settings.currentVersionNumber;
    m_bufferString.clear();
    m_signature.clear();
    m_signedFile.clear();
    m_replaced = false;
    m_installedNumbers.clear();
    m_failureReason.clear();
    QString server = m_server;
    while (server.endsWith(u'/'))
        server.chop(1);
    const int started = GETRequest(server + descriptorQuery.arg(m_settings.currentVersionNumber));
    if (started != 0)
        m_failureReason = QStringLiteral("The update server address \"%1\" is not an http or https URL").arg(m_server);
    return started;
}

int HTTPManager::GETRequest(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return -1;
    dropReply();
    qCDebug(lcUpdate) << (m_currentOperation == Descriptor ? "asking for the descriptor" : "downloading") << url;
    QNetworkRequest request(url);
    request.setTransferTimeout(m_deadlines.silenceMs);
    m_reply = m_network.get(request);
    m_received = 0;
    m_requestClock.start();
    m_deadline.start(m_currentOperation == Download ? m_deadlines.downloadMs : m_deadlines.descriptorMs);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &HTTPManager::checkAnnouncedSize);
    connect(m_reply, &QNetworkReply::readyRead, this, &HTTPManager::readAvailable);
    // Errors (no connection, a 404, a time-out) end in `finished` too, which judges them.
    connect(m_reply, &QNetworkReply::finished, this, &HTTPManager::requestFinished);
    m_currentOperationComplete = false;
    return 0;
}

void HTTPManager::cancel()
{
    qCDebug(lcUpdate) << "cancelled";
    dropReply();
    m_download.reset(); // the staged file goes, the working copy stays
    m_check.reset();
    m_signedFile.clear();
    m_currentOperationComplete = true;
    m_currentOperation = Finished;
}

bool HTTPManager::cancelledFromOutside() const
{
    // Until the exchange has its outcome, only a cancel sets this flag.
    return m_currentOperation != Finished && m_settings.updatedLANFileReceived;
}

void HTTPManager::checkAnnouncedSize()
{
    if (cancelledFromOutside())
        return cancel();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > largestAnswer())
        return fail(tooLarge(m_currentOperation));
    // Room for the signed copy from the start: grown piece by piece, it touched twice its size
    // in new memory, which cost more than checking every line.
    if (length.isValid() && m_currentOperation == Download && m_received == 0 && !m_updateKey.isEmpty())
        m_signedFile.reserve(length.toLongLong());
}

void HTTPManager::readAvailable()
{
    if (cancelledFromOutside())
        return cancel();
    if (m_chunk.isEmpty())
        m_chunk.resize(readSize);
    char *const chunk = m_chunk.data();
    while (m_reply) {
        const qint64 got = m_reply->read(chunk, readSize);
        if (got <= 0)
            return;
        m_received += got;
        if (m_received > largestAnswer())
            return fail(tooLarge(m_currentOperation));
        if (m_currentOperation == Descriptor) {
            m_bufferString.append(chunk, got);
        } else if (m_currentOperation == Signature) {
            m_signature.append(chunk, got);
        } else {
            if (!m_download->append(QByteArrayView(chunk, got)))
                return failToWrite(m_download->reason());
            m_check->feed(QByteArrayView(chunk, got)); // only what the file holds is checked
            if (!m_updateKey.isEmpty())
                m_signedFile.append(chunk, got);
        }
    }
}

qint64 HTTPManager::largestAnswer() const
{
    switch (m_currentOperation) {
    case Descriptor:
        return maxDescriptorSize;
    case Signature:
        return UpdateSignature::size;
    default:
        return maxFileSize;
    }
}

void HTTPManager::requestFinished()
{
    if (cancelledFromOutside())
        return cancel();
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString address = m_reply->url().toString(); // where a redirect led
    const QNetworkReply::NetworkError error = m_reply->error();
    // Errors below the content errors are the connection's or a proxy's: a status then is one
    // seen on the way (a redirect), not the answer of the address asked last.
    const bool connectionFailed = error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
    // 206 is a part of the file, whatever was asked for.
    if (!connectionFailed && status.isValid() && (status.toInt() < 200 || status.toInt() > 299 || status.toInt() == 206)) {
        if (m_currentOperation == Signature && (status.toInt() == 404 || status.toInt() == 410)) {
            qCInfo(lcUpdate).noquote() << "no signature at" << address;
            return fail(signatureDoesNotVerify());
        }
        return fail(QStringLiteral("The server answered %1 for %2").arg(status.toInt()).arg(address));
    }
    switch (error) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::OperationCanceledError: // the silence time-out; our own aborts are not seen
    case QNetworkReply::TimeoutError:
        return fail(tooSlow());
    case QNetworkReply::UnknownContentError:
        // Qt's own words for a body that does not decompress ("Decompression failed: ") end
        // with nothing.
        if (m_reply->hasRawHeader("Content-Encoding"))
            return fail(QStringLiteral("The server sent data that does not decompress"));
        [[fallthrough]];
    default:
        return fail(QStringLiteral("The connection to %1 failed: %2").arg(address, m_reply->errorString()));
    }
    readAvailable(); // what is left of the body
    if (!m_reply)
        return; // it failed
    dropReply();
    m_currentOperationComplete = true;
    if (m_currentOperation == Descriptor)
        descriptorReceived();
    else if (m_currentOperation == Signature)
        signatureReceived();
    else
        downloadReceived();
}

void HTTPManager::descriptorReceived()
{
    LANFileNameparser parser(m_settings, [this](int version) { setCurrentVersionNumber(version); });
    if (!parser.parse(m_bufferString))
        return fail(QStringLiteral("The server sent no valid update descriptor (%1)").arg(parser.errorString()));
    qCDebug(lcUpdate) << "the descriptor offers version" << m_currentVersionNumber << "against the installed"
                      << m_settings.currentVersionNumber << (m_settings.errorOccured == 1 ? ": nothing to do" : "");
    if (m_settings.errorOccured == 1)
        return conclude(1); // nothing newer, or the server refuses
    m_bufferString.clear();
    if (m_updateKey.isEmpty()) {
        if (!startDownload())
            return;
    } else {
        // A newer file, to be signed: its signature first, which is small and may be missing.
        m_currentOperation = Signature;
        const QString address = m_settings.currentLANFileURL.value_or(QString());
        if (GETRequest(signatureAddress(address)) != 0)
            return fail(noFileAddress(address));
    }
    m_settings.pathForUpdateReceived = true;
    Q_EMIT mailboxChanged();
}

void HTTPManager::signatureReceived()
{
    if (m_signature.size() != UpdateSignature::size) {
        qCInfo(lcUpdate) << "a signature of" << m_signature.size() << "bytes";
        return fail(signatureDoesNotVerify());
    }
    startDownload();
}

// The newer file: its download replaces the working copy once it has arrived whole. False when
// it could not start (the exchange has failed).
bool HTTPManager::startDownload()
{
    m_currentOperation = Download;
    const QString address = m_settings.currentLANFileURL.value_or(QString());
    if (GETRequest(address) != 0) {
        fail(noFileAddress(address));
        return false;
    }
    m_download = std::make_unique<AtomicFile>(m_lanFilePath);
    m_loadKeyNumbers = std::make_unique<LANFileParser>(m_loadKey);
    m_check = std::make_unique<DataFileCheck>([this](const DataFileLines &lines) { m_loadKeyNumbers->addLines(lines); });
    if (!m_download->open()) {
        failToWrite(m_download->reason());
        return false;
    }
    return true;
}

void HTTPManager::downloadReceived()
{
    switch (m_check->finish()) {
    case DataFileCheck::Verdict::Valid:
        break;
    case DataFileCheck::Verdict::DoesNotDecipher:
        return fail(QStringLiteral("The server sent no valid access number file (it does not decipher)"));
    case DataFileCheck::Verdict::NoAccessNumbers:
        return fail(QStringLiteral("The server sent no valid access number file (it holds no access numbers)"));
    case DataFileCheck::Verdict::LineWithoutAccessNumber:
        return fail(QStringLiteral("The server sent no valid access number file (line %1 holds no access number)")
                        .arg(m_check->badLine()));
    }
    // Signed for the version announced, so that an old file cannot come back as a newer one.
    if (!m_updateKey.isEmpty() && !UpdateSignature::verify(m_updateKey, m_currentVersionNumber, m_signedFile, m_signature))
        return fail(signatureDoesNotVerify());
    if (cancelledFromOutside())
        return cancel(); // the last moment at which a cancel keeps the working copy
    if (!m_download->commit())
        return failToWrite(m_download->reason());
    m_download.reset();
    m_installedNumbers = m_loadKeyNumbers->takeNumbers();
    m_check.reset();
    m_loadKeyNumbers.reset();
    m_signedFile.clear();
    m_replaced = true;
    qCInfo(lcUpdate) << "installed version" << m_currentVersionNumber << "from" << m_received << "bytes"
                     << (m_updateKey.isEmpty() ? "unsigned" : "signed");
    conclude(2);
}

void HTTPManager::conclude(int errorOccured)
{
    m_currentOperationComplete = true;
    m_currentOperation = Finished;
    m_settings.errorOccured = errorOccured;
    m_settings.updatedLANFileReceived = true;
    Q_EMIT mailboxChanged();
}

void HTTPManager::checkDeadline()
{
    if (!m_reply)
        return;
    const qint64 allowed = m_currentOperation != Download
        ? m_deadlines.descriptorMs
        : m_deadlines.downloadMs + m_received * 1000 / std::max(1, m_deadlines.downloadBytesPerSecond);
    const qint64 left = allowed - m_requestClock.elapsed();
    if (left <= 0)
        return fail(tooSlow());
    // Looked at again when the time the bytes so far allow runs out.
    m_deadline.start(int(std::min<qint64>(left, std::numeric_limits<int>::max())));
}

void HTTPManager::fail(const QString &reason)
{
    dropReply();
    m_download.reset(); // the staged file goes, the working copy stays
    m_check.reset();
    m_signedFile.clear();
    m_failureReason = reason;
    qCInfo(lcUpdate).noquote() << "the update failed:" << reason;
    conclude(0);
}

void HTTPManager::failToWrite(const QString &why)
{
    fail(QStringLiteral("The downloaded file could not be written: %1").arg(why));
}

void HTTPManager::dropReply()
{
    m_deadline.stop();
    if (!m_reply)
        return;
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->disconnect(this);
    if (reply->isRunning())
        reply->abort();
    reply->deleteLater();
}
