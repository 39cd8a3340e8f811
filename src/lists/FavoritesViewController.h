#pragma once

#include "lists/CallRecordModel.h"
#include "lists/PersonListModel.h"
#include "platform/ArchiveFile.h"
#include "platform/Home.h"

#include <QObject>

class AddressBook;
class CallInitiator;
class FailureReporter;

// The favourites tab: up to 15 numbers picked from the address book, oldest addition first,
// kept in "favorites.archive". Tapping a row calls the stored record itself. The Add button
// opens the people picker; the Edit button switches to editing mode, where rows can be deleted.
// Numbers, names and phone types follow the address book when the view is made.
//
// The archive is written after every addition, move and deletion as well as at the end of the
// application, so that a program that is killed loses no favourite.
class FavoritesViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(CallRecordModel *model READ model CONSTANT)
    Q_PROPERTY(bool editing READ isEditing WRITE setEditing NOTIFY editingChanged)
    Q_PROPERTY(bool showsEditButton READ showsEditButton NOTIFY showsEditButtonChanged)
    Q_PROPERTY(bool showsAddButton READ showsAddButton NOTIFY showsAddButtonChanged)
    Q_PROPERTY(bool showsPeoplePicker READ showsPeoplePicker NOTIFY showsPeoplePickerChanged)
    Q_PROPERTY(PersonListModel *pickerPeople READ pickerPeople CONSTANT)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)

public:
    static constexpr int maxCount = 15;
    static constexpr int deselectDelayMs = 500;
    static const QString archiveFileName; // "favorites.archive"
    static const QString archiveRootKey;  // "FavoritesCollection"

    // Reads the archive; `reports` hears of archive writes that fail and of a damaged archive
    // kept aside.
    FavoritesViewController(const Home &home, AddressBook &addressBook, CallInitiator &calls,
                            FailureReporter &reports, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("Farline"); }
    CallRecordModel *model() { return &m_model; }
    const QList<FavoriteRecordPtr> &favoritesArray() const { return m_model.records(); }
    void setFavoritesArray(QList<FavoriteRecordPtr> records);
    bool isEditing() const { return m_editing; }
    bool showsEditButton() const { return m_showsEditButton; }
    bool showsAddButton() const { return m_showsAddButton; }
    bool showsPeoplePicker() const { return m_showsPeoplePicker; }
    int selectedRow() const { return m_selectedRow; }
    // The persons the people picker lists, read when it opens.
    PersonListModel *pickerPeople() { return &m_pickerPeople; }

    // The view is made: Edit button when the list is not empty, Add button, then the refresh
    // from the address book. Only the first call does anything.
    // The address book changed (a sync, an import): the names are brought up to date again
    // once the view is made, and an open people picker reads the persons again.
    void addressBookChanged();
    Q_INVOKABLE void loadView();

    // The Add button: opens the people picker, its persons read again, with an empty search.
    Q_INVOKABLE void NewAction();
    // The picker's cancel: closes it, nothing added.
    Q_INVOKABLE void peoplePickerNavigationControllerDidCancel();
    // The picker's choice of a phone entry: the record built from the person (name with the
    // phone fallback) goes to myModalViewControllerDidFinish, and the picker closes. False,
    // adding nothing, when the person or the entry does not exist.
    Q_INVOKABLE bool pickPhoneEntry(int recordID, int identifier);
    // A new favourite: an equal entry (same phone type, person and number) moves to the end
    // instead; otherwise it is appended, the last entry making room when the list is full.
    void myModalViewControllerDidFinish(const FavoriteRecordPtr &record);

    Q_INVOKABLE void setEditing(bool editing);
    // Leaves editing mode when the table is in it (the user left the tab).
    Q_INVOKABLE void LeaveEditingMode();
    // Deletes row `row` in editing mode, announcing "About to delete item %d" on standard
    // output. False outside editing mode or for a row that does not exist.
    Q_INVOKABLE bool deleteRow(int row);
    // Moves row `from` so that it ends up at `to`, in editing mode (the user dragged it by its
    // handle). False outside editing mode or for rows that do not exist.
    Q_INVOKABLE bool moveRow(int from, int to);

    // Tapping row `row`: the stored record itself goes to call placement; the highlight goes
    // after half a second.
    Q_INVOKABLE void selectRow(int row);
    Q_INVOKABLE void deselect();

    // Numbers, names and phone types from the address book. Skipped when the address book
    // cannot be read, or was found damaged, so that a damaged address book does not unlink,
    // rename or renumber every favourite.
    void prepareFavoritesCollection();
    // The address book the favourites point into is gone (found damaged and replaced by a new
    // one): each keeps its name, type and number, linked to no person, so that no person of the
    // new book is taken for it (and its number); the list is written.
    void forgetContacts();
    // Writes the archive; false, after telling the reporter, when it could not be written (the
    // old one then stays).
    bool saveDataToDisk();
    void loadDataFromDisk();

Q_SIGNALS:
    void editingChanged();
    void showsEditButtonChanged();
    void showsAddButtonChanged();
    void showsPeoplePickerChanged();
    void selectedRowChanged();

private:
    void setShowsEditButton(bool shows);
    void setShowsAddButton(bool shows);
    void setShowsPeoplePicker(bool shows);
    void setSelectedRow(int row);

    AddressBook &m_addressBook;
    CallInitiator &m_calls;
    FailureReporter &m_reports;
    ArchiveFile m_archive;
    CallRecordModel m_model;
    PersonListModel m_pickerPeople;
    bool m_viewLoaded = false;
    bool m_editing = false;
    bool m_showsEditButton = false;
    bool m_showsAddButton = true;
    bool m_showsPeoplePicker = false;
    int m_selectedRow = -1;
};
