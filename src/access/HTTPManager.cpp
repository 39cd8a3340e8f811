#include "access/HTTPManager.h"

#include "access/DataFileCheck.h"
#include "access/LANFileNameparser.h"
#include "core/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>

const QString HTTPManager::descriptorQuery = QStringLiteral("/server.php?getfile=conf&version=%1&device=iph");

HTTPManager::HTTPManager(AppSettings &settings, QString lanFilePath, QString server,
                         QNetworkAccessManager &network, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_lanFilePath(std::move(lanFilePath))
    , m_server(std::move(server))
    , m_network(network)
{
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
    m_replaced = false;
    QString server = m_server;
    while (server.endsWith(u'/'))
        server.chop(1);
    return GETRequest(server + descriptorQuery.arg(m_settings.currentVersionNumber));
}

int HTTPManager::GETRequest(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return -1;
    dropReply();
    QNetworkRequest request(url);
    request.setTransferTimeout(m_transferTimeoutMs);
    m_reply = m_network.get(request);
    m_received = 0;
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &HTTPManager::checkAnnouncedSize);
    connect(m_reply, &QNetworkReply::readyRead, this, &HTTPManager::readAvailable);
    // Errors (no connection, a 404, a time-out) end in `finished` too, which judges them.
    connect(m_reply, &QNetworkReply::finished, this, &HTTPManager::requestFinished);
    m_currentOperationComplete = false;
    return 0;
}

void HTTPManager::cancel()
{
    dropReply();
    m_download.reset(); // the staged file goes, the working copy stays
    m_check.reset();
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
    const qint64 bound = m_currentOperation == Descriptor ? maxDescriptorSize : maxFileSize;
    if (length.isValid() && length.toLongLong() > bound)
        fail();
}

void HTTPManager::readAvailable()
{
    if (cancelledFromOutside())
        return cancel();
    char chunk[readSize];
    while (m_reply) {
        const qint64 got = m_reply->read(chunk, readSize);
        if (got <= 0)
            return;
        m_received += got;
        if (m_currentOperation == Descriptor) {
            if (m_received > maxDescriptorSize)
                return fail();
            m_bufferString.append(chunk, got);
        } else {
            if (m_received > maxFileSize)
                return fail();
            m_check->feed(QByteArrayView(chunk, got));
            if (m_download->write(chunk, got) != got)
                return fail();
        }
    }
}

void HTTPManager::requestFinished()
{
    if (cancelledFromOutside())
        return cancel();
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError || status < 200 || status > 299)
        return fail();
    readAvailable(); // what is left of the body
    if (!m_reply)
        return; // it failed
    dropReply();
    m_currentOperationComplete = true;
    if (m_currentOperation == Descriptor)
        descriptorReceived();
    else
        downloadReceived();
}

void HTTPManager::descriptorReceived()
{
    LANFileNameparser parser(m_settings, [this](int version) { setCurrentVersionNumber(version); });
    if (!parser.parse(m_bufferString))
        return fail();
    if (m_settings.errorOccured == 1)
        return conclude(1); // nothing newer, or the server refuses

    // A newer file: its download replaces the working copy once it has arrived whole.
    m_currentOperation = Download;
    m_bufferString.clear();
    const QString address = m_settings.currentLANFileURL.value_or(QString());
    QDir().mkpath(QFileInfo(m_lanFilePath).absolutePath());
    m_download = std::make_unique<QSaveFile>(m_lanFilePath);
    m_check = std::make_unique<DataFileCheck>();
    if (!m_download->open(QIODevice::WriteOnly) || GETRequest(address) != 0)
        return fail();
    m_settings.pathForUpdateReceived = true;
    Q_EMIT mailboxChanged();
}

void HTTPManager::downloadReceived()
{
    if (!m_check->finish())
        return fail();
    if (cancelledFromOutside())
        return cancel(); // the last moment at which a cancel keeps the working copy
    if (!m_download->commit())
        return fail();
    m_download.reset();
    m_check.reset();
    m_replaced = true;
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

void HTTPManager::fail()
{
    dropReply();
    m_download.reset();
    m_check.reset();
    conclude(0);
}

void HTTPManager::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->disconnect(this);
    if (reply->isRunning())
        reply->abort();
    reply->deleteLater();
}
