#pragma once

#include "lists/CallRecordModel.h"
#include "platform/ArchiveFile.h"
#include "platform/Home.h"

#include <QObject>

class AddressBook;
class Alerts;
class CallInitiator;
class FailureReporter;

// The recent calls tab: the last calls placed, newest first, at most 50, kept in
// "recent.archive". Tapping a row calls the number again; "Clear" empties the list after a
// confirmation. Names and phone types are brought up to date from the address book when the
// view is made.
class RecentViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(CallRecordModel *model READ model CONSTANT)
    Q_PROPERTY(bool showsClearButton READ showsClearButton NOTIFY showsClearButtonChanged)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)

public:
    static constexpr int maxCount = 50;
    static constexpr int deselectDelayMs = 500;
    static const QString archiveFileName; // "recent.archive"
    static const QString archiveRootKey;  // "ReecentCollection"

    // Reads the archive; `reports` hears of archive writes that fail and of a damaged archive
    // kept aside.
    RecentViewController(const Home &home, AddressBook &addressBook, CallInitiator &calls, Alerts &alerts,
                         FailureReporter &reports, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("Farline"); }
    CallRecordModel *model() { return &m_model; }
    const QList<FavoriteRecordPtr> &recentArray() const { return m_model.records(); }
    void setRecentArray(QList<FavoriteRecordPtr> records);
    bool showsClearButton() const { return m_showsClearButton; }
    int selectedRow() const { return m_selectedRow; }

    // The view is made: refresh from the address book, then the "Clear" button. Only the
    // first call does anything.
    Q_INVOKABLE void loadView();
    // A placed call, put on top; the oldest goes when the list is full. No de-duplication.
    void addCall(const FavoriteRecordPtr &record);
    // Writes the archive; false, after telling the reporter, when it could not be written (the
    // old one then stays).
    bool saveDataToDisk();
    void loadDataFromDisk();
    // Names and phone types from the address book; numbers are never changed. Skipped when the
    // address book cannot be read, or was found damaged, so that a damaged address book does
    // not unlink or rename every call.
    void prepareRecentCollection();
    // The address book the entries point into is gone (found damaged and replaced by a new
    // one): each keeps its name, type and number, linked to no person, so that no person of the
    // new book is taken for it; the list is written.
    void forgetContacts();
    // The address book changed (a sync, an import): the names are brought up to date again
    // once the view is made.
    void addressBookChanged();
    Q_INVOKABLE void loadButton();
    // The "Clear" button: asks with an action sheet of "Clear All Recents" (button 0,
    // destructive) and "Cancel" (button 1).
    Q_INVOKABLE void clearRecords();
    // The sheet's answer: "Clear All Recents" empties the list and writes the archive.
    void clearSheetAnswered(int button);
    // Tapping row `row`: a new record with its number, name, type and person goes to call
    // placement; the highlight goes after half a second.
    Q_INVOKABLE void selectRow(int row);
    Q_INVOKABLE void deselect();

Q_SIGNALS:
    void showsClearButtonChanged();
    void selectedRowChanged();

private:
    void clearAllRecents();
    void setShowsClearButton(bool shows);
    void setSelectedRow(int row);

    AddressBook &m_addressBook;
    CallInitiator &m_calls;
    Alerts &m_alerts;
    FailureReporter &m_reports;
    ArchiveFile m_archive;
    CallRecordModel m_model;
    bool m_viewLoaded = false;
    bool m_showsClearButton = false;
    int m_selectedRow = -1;
};
