#pragma once

#include "core/MainViewModalDelegate.h"

#include <QObject>
#include <QStringList>

class FarlineAppDelegate;

// The settings tab: a grouped table of six rows (SIM country, usage mode, the access number in use
// with its switcher; update, help, about) that shows the current state and opens the screens that
// change it. The view follows the properties and the open...() signals.
class MainViewController : public QObject, public MainViewModalDelegate
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString modeText READ modeText NOTIFY reload)
    Q_PROPERTY(QString lanNumberText READ lanNumberText NOTIFY lanRowChanged)
    Q_PROPERTY(bool previousSegmentEnabled READ previousSegmentEnabled NOTIFY lanRowChanged)
    Q_PROPERTY(bool nextSegmentEnabled READ nextSegmentEnabled NOTIFY lanRowChanged)
    Q_PROPERTY(int selectedSection READ selectedSection NOTIFY selectionChanged)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectionChanged)

public:
    struct Row
    {
        QString title;
        QString image; // "png" resource in the bundle's root; empty for none
        int height;    // points
    };

    explicit MainViewController(FarlineAppDelegate &app, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("Farline"); }
    // Two sections of three rows, in display order.
    static const QList<QList<Row>> &sectionArray();

    QString modeText() const;
    QString lanNumberText() const { return m_lanNumberText; }
    bool previousSegmentEnabled() const { return m_previousEnabled; }
    bool nextSegmentEnabled() const { return m_nextEnabled; }
    int selectedSection() const { return m_selectedSection; }
    int selectedRow() const { return m_selectedRow; }

    // A tap on the access number switcher: segment 0 back, 1 forward.
    Q_INVOKABLE void lanSwitcherAction(int segment);
    Q_INVOKABLE void didSelectRow(int section, int row);

    // A screen opened from here changed the country, the numbers or the mode: show them anew.
    void SelectCountryDidFinish() override;

Q_SIGNALS:
    void reload();
    void lanRowChanged();
    void selectionChanged();
    void openCountryScreen(); // modal
    void openUsageModeChooser(); // pushed
    void openUpdateDialog(); // modal
    void openHelpPage(); // pushed
    void openAboutPage(); // pushed

private:
    void showLanRow();
    void setSegments(bool previous, bool next);
    void setSelection(int section, int row);

    FarlineAppDelegate &m_app;
    QString m_lanNumberText;
    bool m_previousEnabled = false;
    bool m_nextEnabled = false;
    int m_selectedSection = -1;
    int m_selectedRow = -1;
};
