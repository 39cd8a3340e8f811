#pragma once

#include "access/CountryListModel.h"

#include <QObject>

class FarlineAppDelegate;
class MainViewModalDelegate;

// The modal screen "SIM country": the country list with the stored country first and checked;
// Done stores the tapped country, moves to its first access number and reloads the access
// numbers. The view binds to the properties and calls the invokable operations.
class SelectCountryViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString headerTitle READ headerTitle CONSTANT)
    Q_PROPERTY(CountryListModel *countries READ countries CONSTANT)
    Q_PROPERTY(int checkedIndex READ checkedIndex NOTIFY checkedIndexChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(int highlightedRow READ highlightedRow NOTIFY highlightedRowChanged)
    Q_PROPERTY(QString currentMCC READ currentMCC NOTIFY selectedIndexChanged)
    // The row of the country of the SIM card in the phone, as the modem tells it, when that is not
    // the stored country (a SIM card changed since); -1 otherwise.
    Q_PROPERTY(int modemIndex READ modemIndex NOTIFY modemIndexChanged)

public:
    static constexpr int deselectDelayMs = 200;

    explicit SelectCountryViewController(FarlineAppDelegate &app, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("SIM country"); }
    QString headerTitle() const { return QStringLiteral("Select the country of your SIM card"); }
    // The countries, the stored one first.
    CountryListModel *countries() { return &m_countries; }
    // The row with the check mark; -1 while the list is empty.
    int checkedIndex() const { return m_checkedIndex; }
    int selectedIndex() const { return m_selectedIndex; }
    // The row whose tap is still highlighted; -1 when none is.
    int highlightedRow() const { return m_highlightedRow; }
    const QString &currentMCC() const { return m_currentMCC; }
    int modemIndex() const { return m_modemIndex; }

    MainViewModalDelegate *delegate() const { return m_delegate; }
    void setDelegate(MainViewModalDelegate *delegate) { m_delegate = delegate; }

    // Reads the country list: file order, except that the rows of the stored country go first.
    void prepareCountryAndMCCArray();

    // Fills the screen when it is shown: the lists, and the check mark on the stored country
    // (the first row when it is not in the list).
    Q_INVOKABLE void loadView();
    // A tap on `row`: the check mark moves there and the row's key becomes the choice; the
    // highlight goes 0.2 s later.
    Q_INVOKABLE void didSelectRow(int row);
    Q_INVOKABLE void deselect();
    // Closes the screen; nothing is stored.
    Q_INVOKABLE void CancelAction();
    // Stores the choice when a row was tapped, then closes the screen.
    Q_INVOKABLE void DoneAction();

Q_SIGNALS:
    void checkedIndexChanged();
    void selectedIndexChanged();
    void highlightedRowChanged();
    void modemIndexChanged();
    // The screen is done and goes away (the view dismisses it, animated).
    void dismissed();

private:
    void findModemCountry();
    void setSelectedIndex(int row);
    void setCheckedIndex(int row);

    FarlineAppDelegate &m_app;
    MainViewModalDelegate *m_delegate = nullptr;
    CountryListModel m_countries;
    int m_checkedIndex = -1;
    int m_selectedIndex = 0;
    int m_highlightedRow = -1;
    QString m_currentMCC;
    bool m_rowTapped = false; // the choice counts as changed once any row has been tapped
    int m_modemIndex = -1;
};
