#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

class DataFileCheck;
class LANFileParser;
class QNetworkAccessManager;
class QNetworkReply;
class AtomicFile;
struct AppSettings;

// One update exchange with the update server, run by the event loop of the thread that starts
// it: the descriptor request for the installed version, the descriptor read by
// LANFileNameparser, then (with an update key) the file's signature, then the download of the
// announced file into the working copy of "LANFile.txt". The outcome goes to the settings
// record's update mailbox:
//   pathForUpdateReceived     a newer file was announced and its download starts;
//   updatedLANFileReceived    the exchange has an outcome, errorOccured telling which:
//                             0 it failed, 1 nothing newer (or refused), 2 the file was replaced.
// Setting updatedLANFileReceived from outside while the exchange runs cancels it.
//
// Every failure is an outcome (errorOccured 0) with a reason in failureReason(): no connection, a
// status other than 2xx or a partial 206, a body cut short, a descriptor that does not parse,
// names no version or one that is no whole number of 32 bits, or names no usable file, a
// descriptor over 64 KiB or a file over 16 MiB, a download that does not decipher, holds no
// access number line or a line without an access number, a signature that is missing or does
// not verify, a file that cannot be written whole, and a server too slow for the deadlines. The
// download is staged beside the working copy and replaces it only when every byte was written
// and reached the disk, the bytes written decipher and, with an update key, are signed for the
// version announced; otherwise, and after a cancel, the working copy stays as it was.
class HTTPManager : public QObject
{
    Q_OBJECT

public:
    // currentOperation
    enum Operation { Descriptor = 0, Download = 1, Finished = 2, Signature = 3 };

    static constexpr qint64 readSize = 64 * 1024;
    static constexpr qint64 maxDescriptorSize = 64 * 1024;
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;
    static const QString descriptorQuery; // "/server.php?getfile=conf&version=%i&device=iph"

    // How long the server may take. A trickle of bytes resets the silence but not the others:
    // the descriptor must come whole within its time, and the file within its time plus one
    // second for every `downloadBytesPerSecond` bytes received (at least 1 KiB/s on average
    // after the first minute, so a 16 MiB file may take at most about 4.6 hours).
    struct Deadlines
    {
        int silenceMs = 60000;
        int descriptorMs = 60000;
        int downloadMs = 60000;
        int downloadBytesPerSecond = 1024;
    };

    // `server` is the update server's address; `lanFilePath` the working copy the download
    // replaces. The network access manager must live on the calling thread.
    HTTPManager(AppSettings &settings, QString lanFilePath, QString server, QNetworkAccessManager &network,
                QObject *parent = nullptr);
    // Stops a transfer in flight; a staged download is dropped.
    ~HTTPManager() override;

    // Starts the descriptor request for the installed version: 0 when it started, -1 when the
    // server's address is not a valid http or https URL (failureReason says so). Clears what an
    // earlier exchange left in the mailbox (the file address, the announcement, the error code)
    // first.
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
    // The numbers of the load key in the file that replaced the working copy, found while it was
    // checked as it arrived: the table takes them without reading the file again.
    QStringList takeInstalledNumbers() { return std::move(m_installedNumbers); }
    // Why the exchange failed, as a sentence for the user ("The server answered 404 for
    // http://..."); empty unless it failed.
    const QString &failureReason() const { return m_failureReason; }
    // Set before UpdateLANFile.
    void setDeadlines(const Deadlines &deadlines) { m_deadlines = deadlines; }
    // The Ed25519 public key (PEM) that signs the access number files (UpdateSignature); set
    // before UpdateLANFile. With one, "ADDRESS.sig" is fetched (at most 64 bytes, within the
    // descriptor's deadline) before the file, and the file is installed only when it verifies.
    // Without one, files are taken unsigned.
    void setUpdateKey(const QByteArray &publicKey) { m_updateKey = publicKey; }
    // The SIM country's key, whose numbers are looked for in the download; set before
    // UpdateLANFile.
    void setLoadKey(const QString &key) { m_loadKey = key; }

Q_SIGNALS:
    // The exchange set a flag of the mailbox.
    void mailboxChanged();

private:
    void readAvailable();
    void checkAnnouncedSize();
    void requestFinished();
    void descriptorReceived();
    void signatureReceived();
    bool startDownload();
    void downloadReceived();
    qint64 largestAnswer() const;
    void checkDeadline();
    void conclude(int errorOccured);
    void fail(const QString &reason);
    void failToWrite(const QString &why);
    void dropReply();
    bool cancelledFromOutside() const;

    AppSettings &m_settings;
    const QString m_lanFilePath;
    const QString m_server;
    QNetworkAccessManager &m_network;
    QNetworkReply *m_reply = nullptr;
    std::unique_ptr<AtomicFile> m_download; // the staged file
    std::unique_ptr<DataFileCheck> m_check;
    std::unique_ptr<LANFileParser> m_loadKeyNumbers; // fed the lines the check passed
    qint64 m_received = 0;
    int m_currentOperation = Descriptor;
    bool m_currentOperationComplete = true;
    int m_currentVersionNumber = 0;
    QByteArray m_bufferString;
    QByteArray m_updateKey;
    QByteArray m_signature;
    QByteArray m_signedFile; // the downloaded bytes, held for the signature's check
    QString m_loadKey;
    QStringList m_installedNumbers;
    QByteArray m_chunk; // what one read takes from the reply
    bool m_replaced = false;
    QString m_failureReason;
    Deadlines m_deadlines;
    QElapsedTimer m_requestClock; // since the current request started
    QTimer m_deadline;
};
