#pragma once

#include "core/MainViewModalDelegate.h"

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <memory>

class FarlineAppDelegate;
class PageViewController;
class SelectCountryViewController;
class UseFarlineFor;

// The settings tab: a grouped table of six rows (SIM country, usage mode, the access number in use
// with its switcher; update, help, about) that shows the current state and opens the screens that
// change it. The screens it opens are its properties while they are shown (the update dialog is
// the application object's); the view presents them.
class MainViewController : public QObject, public MainViewModalDelegate
{
    Q_OBJECT
    Q_MOC_INCLUDE("access/SelectCountryViewController.h")
    Q_MOC_INCLUDE("screens/PageViewController.h")
    Q_MOC_INCLUDE("screens/UseFarlineFor.h")
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)
    Q_PROPERTY(QString modeText READ modeText NOTIFY reload)
    Q_PROPERTY(QString lanNumberText READ lanNumberText NOTIFY lanRowChanged)
    Q_PROPERTY(bool previousSegmentEnabled READ previousSegmentEnabled NOTIFY lanRowChanged)
    Q_PROPERTY(bool nextSegmentEnabled READ nextSegmentEnabled NOTIFY lanRowChanged)
    Q_PROPERTY(int selectedSection READ selectedSection NOTIFY selectionChanged)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectionChanged)
    // Presented modally while it is open.
    Q_PROPERTY(SelectCountryViewController *countryScreen READ countryScreen NOTIFY countryScreenChanged)
    // Pushed: the last one opened.
    Q_PROPERTY(UseFarlineFor *usageModeChooser READ usageModeChooser NOTIFY usageModeChooserChanged)
    Q_PROPERTY(PageViewController *page READ page NOTIFY pageChanged)

public:
    struct Row
    {
        QString title;
        QString image; // "png" resource in the bundle's root; empty for none
        int height;    // points
    };

    explicit MainViewController(FarlineAppDelegate &app, QObject *parent = nullptr);
    ~MainViewController() override;

    QString title() const { return QStringLiteral("Farline"); }
    // Two sections of three rows, in display order.
    static const QList<QList<Row>> &sectionArray();
    // The same for the view: a list of sections, each a list of {title, image, height}.
    static QVariantList sections();

    QString modeText() const;
    QString lanNumberText() const { return m_lanNumberText; }
    bool previousSegmentEnabled() const { return m_previousEnabled; }
    bool nextSegmentEnabled() const { return m_nextEnabled; }
    int selectedSection() const { return m_selectedSection; }
    int selectedRow() const { return m_selectedRow; }
    SelectCountryViewController *countryScreen() const { return m_countryScreen.get(); }
    UseFarlineFor *usageModeChooser() const { return m_usageModeChooser.get(); }
    PageViewController *page() const { return m_page.get(); }

    // A tap on the access number switcher: segment 0 back, 1 forward.
    Q_INVOKABLE void lanSwitcherAction(int segment);
    // A tapped row flashes for 0.2 s and opens its screen.
    Q_INVOKABLE void didSelectRow(int section, int row);

    // A screen opened from here changed the country, the numbers or the mode: show them anew.
    void SelectCountryDidFinish() override;

Q_SIGNALS:
    void reload();
    void lanRowChanged();
    void selectionChanged();
    void countryScreenChanged();
    void usageModeChooserChanged();
    void pageChanged();

private:
    template<typename Screen> void replace(std::unique_ptr<Screen> &slot, std::unique_ptr<Screen> screen,
                                           void (MainViewController::*changed)());
    void showLanRow();
    void setSegments(bool previous, bool next);
    void setSelection(int section, int row);

    FarlineAppDelegate &m_app;
    QString m_lanNumberText;
    bool m_previousEnabled = false;
    bool m_nextEnabled = false;
    int m_selectedSection = -1;
    int m_selectedRow = -1;
    std::unique_ptr<SelectCountryViewController> m_countryScreen;
    std::unique_ptr<UseFarlineFor> m_usageModeChooser;
    std::unique_ptr<PageViewController> m_page;
};
