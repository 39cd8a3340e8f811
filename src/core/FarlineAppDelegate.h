#pragma once

#include "core/CallInitiator.h"
#include "core/CallRoute.h"
#include "core/FailureReporter.h"
#include "core/ModemReport.h"
#include "platform/PlatformServices.h"

#include <QStringList>
#include <QObject>
#include <memory>

struct AppSettings;
class AddressBook;
class ArchiveFile;
class FavoritesViewController;
class InCallViewController;
class KeypadViewController;
class LANManger;
class LANUpdateViewController;
class MainViewController;
class MyContactsViewController;
class RecentViewController;
class StartScreen;
class TabBarController;
class TCCManager;
class MainViewModalDelegate;

// The application object: exists once per run and owns the settings record, the access number
// table, the country dialling table, the address book, the screens' controllers and the
// platform services; every screen reaches the shared objects through it. It is also the home
// of call placement.
class FarlineAppDelegate : public QObject, public CallInitiator, public FailureReporter
{
    Q_OBJECT
    Q_MOC_INCLUDE("access/LANUpdateViewController.h")
    Q_MOC_INCLUDE("access/StartScreen.h")
    Q_MOC_INCLUDE("screens/InCallViewController.h")
    // The two screens that come and go over the tab shell; null while they are not shown.
    Q_PROPERTY(StartScreen *startScreen READ startScreen NOTIFY startScreenChanged)
    Q_PROPERTY(LANUpdateViewController *updateDialog READ updateDialog NOTIFY updateDialogChanged)
    // The in-call screen while a call that Farline follows lasts, and briefly after; null otherwise.
    Q_PROPERTY(InCallViewController *inCallScreen READ inCallScreen NOTIFY inCallScreenChanged)

public:
    explicit FarlineAppDelegate(PlatformServices services, QObject *parent = nullptr);
    ~FarlineAppDelegate() override;

    AppSettings &appSettings() { return *m_appSettings; }
    // Empty until start-up, which replaces them with the tables read from the documents folder.
    LANManger &lanManager() { return *m_lanManager; }
    TCCManager &tccManager() { return *m_tccManager; }
    const Home &home() const { return m_services.home; }
    const Bundle &bundle() const { return m_services.bundle; }
    Clock &clock() { return *m_services.clock; }
    Alerts &alerts() { return *m_services.alerts; }
    Telephone &telephone() { return *m_services.telephone; }
    const QString &updateServer() const { return m_services.updateServer; }
    // The public key that access number updates must be signed with; empty: taken unsigned.
    const QByteArray &updateKey() const { return m_services.updateKey; }
    // Hands `address` to the system (a browser, a mail program); false when nothing took it.
    bool openURL(const QUrl &address) const;

    // Made by start-up, in tab order, and kept for the whole run.
    AddressBook &addressBook() { return *m_addressBook; }
    KeypadViewController &keypadViewController() { return *m_keypad; }
    RecentViewController &recentViewController() { return *m_recents; }
    FavoritesViewController &favoritesViewController() { return *m_favorites; }
    MyContactsViewController &myContactsViewController() { return *m_contacts; }
    MainViewController &mainViewController() { return *m_settingsScreen; }
    TabBarController &tbarController() { return *m_tabBar; }
    // The first-start country picker while a first start is pending; null otherwise.
    StartScreen *startScreen() const { return m_startScreen.get(); }
    // The update dialog while it is open; null otherwise.
    LANUpdateViewController *updateDialog() const { return m_updateDialog.get(); }
    InCallViewController *inCallScreen() const { return m_inCallScreen.get(); }
    // The last call placed; null before the first.
    const std::shared_ptr<PhoneCall> &currentCall() const { return m_call; }
    // Ends a call that still lasts before the program ends: hung up, its answer awaited briefly
    // without the event loop.
    void endCall();
    // Opens the update dialog (the settings screen's row, the reminder's "Update", the update
    // command), telling `delegate` when it changed the access numbers. It lives until it is
    // dismissed; a dialog already open stays the only one.
    LANUpdateViewController &openUpdateDialog(MainViewModalDelegate *delegate);

    // Loads the access numbers of the country `key` (the SIM country) from the access number
    // file and says so, so that every screen showing them follows.
    void loadAccessNumbers(const QString &key);
    // The same with `numbers`, the SIM country's numbers found in a file just installed.
    void adoptAccessNumbers(QStringList numbers);

    // What the modem said last; nothing known without a modem. The window asks it.
    const ModemReport &modemReport() const { return m_modemReport; }
    void setModemReport(const ModemReport &report);
    // The display name of the country with `key` in the country list, without its trailing
    // blank; empty when the list has none.
    QString countryName(const QString &key) const;

    // The address book changed under the screens (a sync of the system's contacts, an import):
    // the contacts, the people picker, the favourites and the recent calls follow.
    void addressBookChanged();

    // A "tel:" address handed to the program (a tapped link): the keypad shows it typed, ready
    // for the call key; one Farline cannot call (see KeypadNumber) is refused with an alert
    // saying why.
    void openTelAddress(const QString &address);

    // 0 when this handset can place calls, 1 when it cannot: the telephony probe, which runs when
    // the answer is first needed and again when the telephone learns more (callSupportChanged).
    int callSupport();

    // Start-up, in this order: the data files, the settings record and the two tables, the settings archive, the SIM country's access numbers, the screens'
    // controllers, then the first-start picker or the 30-day update reminder.
    void applicationDidFinishLaunching();
    // A screen that has gone: kept while its view moves away, then deleted; with `keeper` at the
    // latest. (Never at once: the event that ended it may be its own signal.)
    static void retire(QObject *screen, QObject *keeper);

    // End of the application: the favourites archive, then the settings archive.
    void applicationWillTerminate();

    // Ends the first start once the start screen has stored the SIM country: the 30-day update
    // reminder counts from now, the start screen goes and the contacts tab shows.
    void startMainApplication();

    // Writes the settings record, with the access number table's current position, to
    // "settings.archive" in the documents folder, atomically. False, reported as a failure, when
    // it could not be written; the previous archive then stays as it was.
    bool saveAppSettings();
    // Replaces the record by the archived one when a settings record can be read and restores
    // the access number table's position from it; a missing archive, or one that is no settings
    // record, leaves both. Entries of the wrong kind are passed over one by one. An archive not
    // read whole is kept aside before the next save writes over it.
    void loadAppSettings();

    // The telephony probe: asks the telephone whether this handset can place calls.
    void deviceSupportCalls();
    // How a call to `phoneNumber` would go now, without placing it.
    CallRoute routeFor(const QString &phoneNumber);
    // Places a call for `record`: through the SIM country's access number when the call is to be
    // routed and has six digits or more, directly otherwise, or not at all with a warning.
    void InitateCall(const FavoriteRecordPtr &record) override;
    // Hands `dialString` (what follows "tel:") to the telephone; when it takes the call and there
    // is a record, the very same record goes on top of the recent calls, which are written at once.
    void dialNumber(const QString &dialString, const FavoriteRecordPtr &record);

Q_SIGNALS:
    // Every call handed to the telephone, as soon as it was.
    void callPlaced(PhoneCall *call);
    void callSupportChanged();
    void inCallScreenChanged();
    void startScreenChanged();
    void updateDialogChanged();
    void accessNumbersLoaded();
    void modemReportChanged();
    // A "tel:" address was typed on the keypad: the window shows it.
    void telAddressOpened();

private:
    // Copies each data file from the bundle into the documents folder that is missing there or
    // does not decipher (cut short by a full disk, damaged), whole or not at all; a file that
    // deciphers, perhaps a downloaded update, is never replaced. True when the access number file
    // was not one that deciphers: whatever stands there now is not the version recorded.
    bool provisionDataFiles();
    void makeScreens();
    // The address book found damaged: a copy is kept aside and the user told, or told that it
    // could not be; true when it was kept, the call lists then linked to no person.
    bool keepDamagedAddressBook(const QString &path);
    void remindOfUpdateWhenDue();
    // Keeps `call` as the current call and follows it: the record once the telephone took it, the
    // in-call screen while Farline follows it, an alert when it failed.
    void follow(std::unique_ptr<PhoneCall> call, const FavoriteRecordPtr &record);

    PlatformServices m_services;
    std::unique_ptr<AppSettings> m_appSettings;
    std::unique_ptr<LANManger> m_lanManager;
    std::unique_ptr<TCCManager> m_tccManager;
    std::unique_ptr<AddressBook> m_addressBook;
    std::unique_ptr<KeypadViewController> m_keypad;
    std::unique_ptr<RecentViewController> m_recents;
    std::unique_ptr<FavoritesViewController> m_favorites;
    std::unique_ptr<MyContactsViewController> m_contacts;
    std::unique_ptr<MainViewController> m_settingsScreen;
    std::unique_ptr<TabBarController> m_tabBar;
    std::unique_ptr<StartScreen> m_startScreen;
    std::unique_ptr<LANUpdateViewController> m_updateDialog; // first to go: it may still run
    std::optional<int> m_callSupport;
    std::shared_ptr<PhoneCall> m_call;
    std::unique_ptr<InCallViewController> m_inCallScreen;
    ModemReport m_modemReport;

public:
    // A change that could not be kept (a save that failed): an alert titled "Farline" with "OK",
    // which the window shows as a dialog and the command line as "Farline: message" on standard
    // error; the run then ends as a failure.
    void reportFailure(const QString &message) override;
    // The same alert for something that lost nothing, such as a damaged file kept aside.
    void reportWarning(const QString &message) override;
    QDateTime now() const override;
    // Whether a failure was reported during the run.
    bool failed() const { return m_failed; }

private:
    std::unique_ptr<ArchiveFile> m_settingsArchive;
    bool m_failed = false;
};
