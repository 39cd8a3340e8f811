#include "core/FarlineAppDelegate.h"

#include "access/CountryList.h"
#include "datafile/DataFileReader.h"
#include "access/LANManger.h"
#include "access/LANUpdateViewController.h"
#include "access/StartScreen.h"
#include "core/AppSettings.h"
#include "core/TCCManager.h"
#include "core/TabBarController.h"
#include "core/TelAddress.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "lists/RecentViewController.h"
#include "addressbook/AddressBook.h"
#include "platform/ArchiveFile.h"
#include "platform/AtomicFile.h"
#include "platform/DamagedFile.h"
#include "screens/InCallViewController.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"

#include <QFileInfo>
#include <QTimer>

namespace {
const FailureReporter::ArchiveTexts settingsTexts = {
    "Your settings could not be saved in %1 (%2). The previous settings are kept.",
    "Your settings file was damaged. A copy is kept as %1."};

// Whether a data file deciphers is all provisioning asks of it.
void ignoreLines(const DataFileLines &) {}
} // namespace

FarlineAppDelegate::FarlineAppDelegate(PlatformServices services, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_appSettings(std::make_unique<AppSettings>(clock().now()))
    , m_lanManager(std::make_unique<LANManger>(home().documentPath(LANManger::fileName)))
    , m_tccManager(std::make_unique<TCCManager>())
    , m_settingsArchive(std::make_unique<ArchiveFile>(home().documentPath(AppSettings::archiveFileName),
                                                      AppSettings::archiveRootKey))
{
    // The modem's telephone learns after the start whether the handset has a voice modem.
    connect(&telephone(), &Telephone::canPlaceCallsChanged, this, [this] {
        m_callSupport.reset();
        Q_EMIT callSupportChanged();
    });
}

FarlineAppDelegate::~FarlineAppDelegate()
{
    // Screens that went, but whose deferred deletion has not come yet, go first, while what they
    // refer to still stands.
    m_updateDialog.reset();
    qDeleteAll(findChildren<QObject *>(Qt::FindDirectChildrenOnly));
}

void FarlineAppDelegate::retire(QObject *screen, QObject *keeper)
{
    constexpr int keptMs = 1000; // longer than any move of a view
    screen->setParent(keeper);
    QTimer::singleShot(keptMs, screen, &QObject::deleteLater);
}

void FarlineAppDelegate::applicationDidFinishLaunching()
{
    // The telephony probe waits for the first question about calls: asking the desktop takes tens
    // of milliseconds that a run placing no call need not pay.
    const bool accessNumbersFromBundle = provisionDataFiles();
    m_appSettings = std::make_unique<AppSettings>(clock().now());
    m_lanManager = std::make_unique<LANManger>(home().documentPath(LANManger::fileName));
    m_tccManager = std::make_unique<TCCManager>(home().documentPath(TCCManager::fileName));
    loadAppSettings();
    if (accessNumbersFromBundle) {
        // The recorded version and position were those of a file that is gone: kept, the next
        // update would take the bundled copy for that version and offer nothing.
        m_appSettings->currentVersionNumber = 0;
        m_lanManager->setCurrentLANpos(0);
    }
    loadAccessNumbers(m_appSettings->currentMCC.value_or(QString()));
    // A position restored from the archive may lie beyond the list loaded now (the file
    // changed, or the archive was edited): nothing may read outside the list.
    const int position = m_lanManager->currentLANpos();
    if (position < 0 || position >= m_lanManager->lanNumbers().size())
        m_lanManager->setCurrentLANpos(0);
    makeScreens();
    // A first start asks for the SIM country before anything else; the reminder waits for a
    // normal start.
    if (m_appSettings->currentMCC == u"-1")
        m_startScreen = std::make_unique<StartScreen>(*this);
    else
        remindOfUpdateWhenDue();
}

void FarlineAppDelegate::applicationWillTerminate()
{
    endCall();
    if (m_favorites)
        m_favorites->saveDataToDisk();
    saveAppSettings();
}

void FarlineAppDelegate::startMainApplication()
{
    m_appSettings->lastUpdate = clock().now();
    // Called from the start screen's own "Start": it goes once that has returned.
    if (m_startScreen) {
        retire(m_startScreen.release(), this);
        Q_EMIT startScreenChanged();
    }
    m_tabBar->selectTab(TabBarController::ContactsTab);
}

bool FarlineAppDelegate::openURL(const QUrl &address) const
{
    return m_services.openUrl && m_services.openUrl(address);
}

void FarlineAppDelegate::setModemReport(const ModemReport &report)
{
    if (report == m_modemReport)
        return;
    m_modemReport = report;
    Q_EMIT modemReportChanged();
}

QString FarlineAppDelegate::countryName(const QString &key) const
{
    for (const CountryList::Entry &entry : CountryList::fromBundle(bundle())) {
        if (entry.key == key)
            return entry.name.trimmed();
    }
    return {};
}

void FarlineAppDelegate::addressBookChanged()
{
    m_contacts->addressBookChanged();
    m_favorites->addressBookChanged();
    m_recents->addressBookChanged();
}

void FarlineAppDelegate::openTelAddress(const QString &address)
{
    const KeypadNumber number = TelAddress::keypadNumber(address);
    if (!number.text) {
        alerts().show(QStringLiteral("Farline"), number.refusal, {QStringLiteral("OK")});
        return;
    }
    m_tabBar->selectTab(TabBarController::KeypadTab);
    m_keypad->typeNumber(*number.text);
    Q_EMIT telAddressOpened();
}

void FarlineAppDelegate::loadAccessNumbers(const QString &key)
{
    m_lanManager->loadLANArray(key);
    Q_EMIT accessNumbersLoaded();
}

void FarlineAppDelegate::adoptAccessNumbers(QStringList numbers)
{
    m_lanManager->adoptLANArray(std::move(numbers));
    Q_EMIT accessNumbersLoaded();
}

void FarlineAppDelegate::makeScreens()
{
    m_addressBook = std::make_unique<AddressBook>(home().dir() + u'/' + AddressBook::fileName);
    m_addressBook->setDamageHandler([this](const QString &path) { return keepDamagedAddressBook(path); });
    m_keypad = std::make_unique<KeypadViewController>(*this);
    m_recents = std::make_unique<RecentViewController>(home(), *m_addressBook, *this, alerts(), *this);
    m_favorites = std::make_unique<FavoritesViewController>(home(), *m_addressBook, *this, *this);
    m_contacts = std::make_unique<MyContactsViewController>(*m_addressBook, *this);
    m_settingsScreen = std::make_unique<MainViewController>(*this);
    m_tabBar = std::make_unique<TabBarController>(*this);
}

bool FarlineAppDelegate::keepDamagedAddressBook(const QString &path)
{
    QString reason;
    const std::optional<QString> kept = DamagedFile::keepCopy(path, now(), &reason);
    if (!kept) {
        reportFailure(QStringLiteral("Your address book is damaged and could not be kept aside (%1). It is left as "
                                     "it is, and your contacts cannot be used.").arg(reason));
        return false;
    }
    reportWarning(QStringLiteral("Your address book is damaged. A copy is kept as %1; import your contacts again.").arg(*kept));
    // The new book numbers its persons anew: a link kept would lead to another person's number.
    if (m_favorites)
        m_favorites->forgetContacts();
    if (m_recents)
        m_recents->forgetContacts();
    return true;
}

void FarlineAppDelegate::remindOfUpdateWhenDue()
{
    std::optional<QDateTime> &lastUpdate = m_appSettings->lastUpdate;
    if (!lastUpdate)
        return; // nothing to count from: an age of no days
    const QDateTime now = clock().now();
    // The age in whole days, truncated toward zero; negative for a reminder in the past.
    const qint64 days = now.msecsTo(*lastUpdate) / (86400 * qint64(1000));
    if (days > -30)
        return;
    lastUpdate = now; // before the answer: "Cancel" also postpones the next reminder
    alerts().show(QStringLiteral("Farline"),
                  QStringLiteral("You may try to update Farline access numbers. Would you like to perform update?"),
                  {QStringLiteral("Cancel"), QStringLiteral("Update")}, [this](int button) {
                      if (button == 1) {
                          // Opened over the settings tab, telling no screen when it is done.
                          m_tabBar->selectTab(TabBarController::SettingsTab);
                          openUpdateDialog(nullptr);
                      }
                  });
}

LANUpdateViewController &FarlineAppDelegate::openUpdateDialog(MainViewModalDelegate *delegate)
{
    if (m_updateDialog)
        return *m_updateDialog;
    m_updateDialog = std::make_unique<LANUpdateViewController>(*this, updateServer());
    m_updateDialog->setDelegate(delegate);
    connect(m_updateDialog.get(), &LANUpdateViewController::dismissUpdateDialog, this, [this] {
        retire(m_updateDialog.release(), this);
        Q_EMIT updateDialogChanged();
    });
    Q_EMIT updateDialogChanged();
    return *m_updateDialog;
}

bool FarlineAppDelegate::saveAppSettings()
{
    m_appSettings->lanNumberPos = m_lanManager->currentLANpos();
    return save(*m_settingsArchive, m_appSettings->encode(), settingsTexts);
}

void FarlineAppDelegate::loadAppSettings()
{
    const auto archived = m_settingsArchive->readObject();
    if (!archived)
        return;
    bool whole = true;
    auto record = AppSettings::decode(*archived, clock().now(), whole);
    if (!record || !whole)
        m_settingsArchive->setDamaged();
    if (record) {
        m_appSettings = std::move(record);
        m_lanManager->setCurrentLANpos(m_appSettings->lanNumberPos);
    }
}

bool FarlineAppDelegate::provisionDataFiles()
{
    bool accessNumbersFromBundle = false;
    for (const QString &fileName : {LANManger::fileName, TCCManager::fileName}) {
        const QString target = home().documentPath(fileName);
        if (DataFileReader::read(target, ignoreLines))
            continue;
        accessNumbersFromBundle = accessNumbersFromBundle || fileName == LANManger::fileName;
        const QFileInfo resource(fileName);
        const auto contents =
            bundle().contentsOfResource(resource.completeBaseName(), resource.suffix(), QStringLiteral("/"));
        // A damaged copy is replaced only by one that deciphers.
        if (!contents || (QFileInfo::exists(target) && !DataFileReader::readBytes(*contents, ignoreLines)))
            continue;
        // Whole or not at all: a copy cut short would look like a damaged file at every start.
        QString reason;
        if (!AtomicFile::write(target, *contents, &reason))
            reportFailure(QStringLiteral("Farline could not install %1 (%2). It tries again at the next start.")
                              .arg(target, reason));
    }
    return accessNumbersFromBundle;
}

void FarlineAppDelegate::reportFailure(const QString &message)
{
    m_failed = true;
    reportWarning(message);
}

void FarlineAppDelegate::reportWarning(const QString &message)
{
    alerts().show(QStringLiteral("Farline"), message, {QStringLiteral("OK")});
}

QDateTime FarlineAppDelegate::now() const { return m_services.clock->now(); }
