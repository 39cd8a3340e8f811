#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class DataFileCheck;
class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;
struct AppSettings;

// One update exchange with the update server, run by the event loop of the thread that starts
// it: the descriptor request for the installed version, the descriptor read by
// LANFileNameparser, then the download of the announced file into the working copy of
// "LANFile.txt". The outcome goes to the settings record's update mailbox:
//   pathForUpdateReceived     a newer file was announced and its download starts;
//   updatedLANFileReceived    the exchange has an outcome, errorOccured telling which:
//                             0 it failed, 1 nothing newer (or refused), 2 the file was replaced.
// Setting updatedLANFileReceived from outside while the exchange runs cancels it.
//
// Every failure is an outcome (errorOccured 0): no connection, a status other than 2xx, a body
// cut short, a descriptor that does not parse or names no usable file, a descriptor over 64 KiB
// or a file over 16 MiB, a download that does not decipher, a file that cannot be written, and
// a server silent for longer than the transfer time-out. The download is staged beside the
// working copy and replaces it whole only when all is well; otherwise, and after a cancel, the
// working copy stays as it was.
class HTTPManager : public QObject
{
    Q_OBJECT

public:
    // currentOperation
    enum Operation { Descriptor = 0, Download = 1, Finished = 2 };

    static constexpr qint64 readSize = 1024;
    static constexpr qint64 maxDescriptorSize = 64 * 1024;
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;
    static constexpr int defaultTransferTimeoutMs = 60000;
    static const QString descriptorQuery; // "/server.php?getfile=conf&version=%i&device=iph"

    // `server` is the update server's address; `lanFilePath` the working copy the download
    // replaces. The network access manager must live on the calling thread.
    HTTPManager(AppSettings &settings, QString lanFilePath, QString server, QNetworkAccessManager &network,
                QObject *parent = nullptr);
    // Stops a transfer in flight; a staged download is dropped.
    ~HTTPManager() override;

    // Starts the descriptor request for the installed version: 0 when it started, -1 when the
    // server's address is not a valid http or https URL. Clears what an earlier exchange left in
    // the mailbox (the file address, the announcement, the error code) first.
    int UpdateLANFile();
    // Starts a GET of `address` on this thread: 0 when it started, -1 when the address is not a
    // valid http or https URL.
    int GETRequest(const QString &address);
    // Stops the transfer at once; the working copy and the mailbox stay as they are.
    void cancel();

    int currentOperation() const { return m_currentOperation; }
    // No request in flight.
    bool currentOperationComplete() const { return m_currentOperationComplete; }
    // The version the descriptor announced; the installed one until it announces another.
    int currentVersionNumber() const { return m_currentVersionNumber; }
    void setCurrentVersionNumber(int version) { m_currentVersionNumber = version; }
    // The descriptor as received so far.
    const QByteArray &bufferString() const { return m_bufferString; }
    // The download replaced the working copy.
    bool replacedWorkingCopy() const { return m_replaced; }
    // The longest silence of the server before the exchange fails.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }

Q_SIGNALS:
    // The exchange set a flag of the mailbox.
    void mailboxChanged();

private:
    void readAvailable();
    void checkAnnouncedSize();
    void requestFinished();
    void descriptorReceived();
    void downloadReceived();
    void conclude(int errorOccured);
    void fail();
    void dropReply();
    bool cancelledFromOutside() const;

    AppSettings &m_settings;
    const QString m_lanFilePath;
    const QString m_server;
    QNetworkAccessManager &m_network;
    QNetworkReply *m_reply = nullptr;
    std::unique_ptr<QSaveFile> m_download;
    std::unique_ptr<DataFileCheck> m_check;
    qint64 m_received = 0;
    int m_currentOperation = Descriptor;
    bool m_currentOperationComplete = true;
    int m_currentVersionNumber = 0;
    QByteArray m_bufferString;
    bool m_replaced = false;
    int m_transferTimeoutMs = defaultTransferTimeoutMs;
};
