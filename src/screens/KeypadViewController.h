#pragma once

#include <QObject>
#include <QString>

class FarlineAppDelegate;
class QTimer;

// The dialling tab: a display line with the number typed so far, twelve keys and the call key.
// The view routes touches here; key timers run on the event loop, at most one at a time.
class KeypadViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString display READ display NOTIFY displayChanged)
    Q_PROPERTY(bool callEnabled READ callEnabled NOTIFY callEnabledChanged)
    Q_PROPERTY(QString title READ title CONSTANT)
    // How the number shown would be dialled now, in a few words, and whether the phone is roaming;
    // empty for no number at home.
    Q_PROPERTY(QString routeText READ routeText NOTIFY routeTextChanged)

public:
    // The twelve keys, in the order the key handler compares them.
    enum Key { Button0, Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9,
               ButtonP, ButtonBackspace };
    Q_ENUM(Key)

    explicit KeypadViewController(FarlineAppDelegate &app, QObject *parent = nullptr);
    ~KeypadViewController() override;

    QString display() const { return m_display; }
    bool callEnabled() const { return m_callEnabled; }
    QString title() const { return QStringLiteral("Farline"); }
    const QString &routeText() const { return m_routeText; }
    // The one running key timer, or null when idle.
    QTimer *timer() const { return m_timer; }

    // The view is (re)made: the display shows the stored number; the call key is disabled on a
    // handset that cannot call.
    Q_INVOKABLE void loadView();
    Q_INVOKABLE void changeGreeting(int key);          // touch down on any of the twelve keys
    Q_INVOKABLE void touchButton0Up(int key);          // release of "0", inside or outside
    Q_INVOKABLE void touchButtonBackspaceUpInside(int key);
    Q_INVOKABLE void touchButtonBackspaceUpOutside(int key);
    Q_INVOKABLE void initiateCall();                   // the call key
    // The tab shows again: the route may have changed meanwhile (mode, country, numbers).
    Q_INVOKABLE void viewWillAppear();
    Q_INVOKABLE void viewWillDisappear();
    // The plus timer's action: a long press of "0" turns the last character into "+".
    void myMethod();
    // Clears the display and types `keys` ("0"-"9", "+", ","), each as the user presses its key
    // ("+" as a long press of "0"); the keypad takes no more than KeypadNumber::longest.
    void typeNumber(const QString &keys);

Q_SIGNALS:
    void displayChanged();
    void callEnabledChanged();
    void routeTextChanged();

private:
    void setDisplay(const QString &text);
    void enableCallKey(); // disabled on a handset that cannot call
    void showRoute();
    void startTimer(int milliseconds, void (KeypadViewController::*method)());
    void stopTime();
    void detectLongBackspacePressing();
    void backSpaceTimerMethod();

    FarlineAppDelegate &m_app;
    QString m_display;
    bool m_callEnabled = true;
    QString m_routeText;
    QTimer *m_timer = nullptr;
    bool m_typing = false; // typeNumber() at work
};
