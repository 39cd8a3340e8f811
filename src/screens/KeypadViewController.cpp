#include "screens/KeypadViewController.h"

#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "screens/KeypadText.h"

#include <QTimer>

namespace {
// How long "0" is held before it turns into "+", backspace before it repeats, and the repetition.
constexpr int plusMs = 1200, backspaceHoldMs = 700, backspaceRepeatMs = 90;
}

KeypadViewController::KeypadViewController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    connect(&m_app, &FarlineAppDelegate::accessNumbersLoaded, this, &KeypadViewController::showRoute);
    connect(&m_app, &FarlineAppDelegate::modemReportChanged, this, &KeypadViewController::showRoute);
    // The modem, found after the start, calls where the desktop had no telephone.
    connect(&m_app, &FarlineAppDelegate::callSupportChanged, this, [this] {
        enableCallKey();
        showRoute();
    });
}

KeypadViewController::~KeypadViewController() = default;

void KeypadViewController::loadView()
{
    setDisplay(m_app.appSettings().keypadPhoneNumber);
    enableCallKey();
}

void KeypadViewController::enableCallKey()
{
    const bool enabled = m_app.callSupport() != 1;
    if (enabled != m_callEnabled) {
        m_callEnabled = enabled;
        Q_EMIT callEnabledChanged();
    }
}

void KeypadViewController::changeGreeting(int key)
{
    const qsizetype before = m_display.size();
    if (key >= Button0 && key <= Button9)
        setDisplay(KeypadText::append(m_display, QChar(char16_t(u'0' + key))));
    else if (key == ButtonP)
        setDisplay(KeypadText::append(m_display, u','));

    if (key == Button0 && m_display.size() > before)
        startTimer(plusMs, &KeypadViewController::myMethod);
    else if (key == Button0)
        stopTime(); // a full display took no "0" to turn into "+"
    else if (key == ButtonBackspace)
        startTimer(backspaceHoldMs, &KeypadViewController::detectLongBackspacePressing);

    // Deletions and the "+" reach the stored number only here, at the next touch down.
    m_app.appSettings().keypadPhoneNumber = m_display;
}

void KeypadViewController::touchButton0Up(int key)
{
    if (key == Button0)
        stopTime();
}

void KeypadViewController::touchButtonBackspaceUpInside(int key)
{
    if (key != ButtonBackspace)
        return;
    stopTime();
    backSpaceTimerMethod();
}

void KeypadViewController::touchButtonBackspaceUpOutside(int key)
{
    if (key == ButtonBackspace)
        stopTime();
}

void KeypadViewController::initiateCall()
{
    if (m_display.isEmpty())
        return;
    auto record = std::make_shared<FavoriteRecord>();
    record->displayName = m_display;
    record->phoneNumber = m_display;
    record->phoneType = QStringLiteral("unknown");
    record->contactID = -1;
    m_app.appSettings().keypadPhoneNumber.clear();
    m_app.saveAppSettings();
    m_app.InitateCall(record);
}

void KeypadViewController::typeNumber(const QString &keys)
{
    // The route is worked out once, for the whole number, not again for every key.
    m_typing = true;
    stopTime();
    setDisplay(QString()); // as a held backspace
    for (const QChar c : keys) {
        if (c == u'+') {
            changeGreeting(Button0);
            if (m_timer)
                myMethod(); // held long enough for the plus timer
            touchButton0Up(Button0);
        } else if (c == u',' || (c >= u'0' && c <= u'9')) {
            const int key = c == u',' ? int(ButtonP) : c.digitValue();
            changeGreeting(key);
            touchButton0Up(key);
        }
    }
    m_typing = false;
    showRoute();
}

void KeypadViewController::viewWillAppear() { showRoute(); }

void KeypadViewController::viewWillDisappear() { stopTime(); }

void KeypadViewController::setDisplay(const QString &text)
{
    if (text == m_display)
        return;
    m_display = text;
    Q_EMIT displayChanged();
    showRoute();
}

void KeypadViewController::showRoute()
{
    if (m_typing)
        return;
    QString text;
    if (!m_display.isEmpty()) {
        const CallRoute route = m_app.routeFor(m_display);
        switch (route.kind) {
        case CallRoute::CannotCall:
            text = QStringLiteral("This device cannot place calls");
            break;
        case CallRoute::Direct:
            text = QStringLiteral("Dialled directly");
            break;
        case CallRoute::ViaAccessNumber:
            text = QStringLiteral("Via access number ") + route.accessNumber;
            break;
        case CallRoute::NoAccessNumber:
            text = QStringLiteral("No access number for your SIM country");
            break;
        case CallRoute::AccessNumbersDamaged:
            text = QStringLiteral("The access numbers file is damaged");
            break;
        case CallRoute::Refused:
            text = QStringLiteral("Farline cannot call this number");
            break;
        }
    }
    // Abroad with the SIM card, the access number is still the SIM country's: the user should know.
    const ModemReport &modem = m_app.modemReport();
    if (modem.roaming()) {
        const QString roaming = QStringLiteral("roaming in ") + m_app.countryName(*modem.networkCountryKey);
        text = text.isEmpty() ? roaming.left(1).toUpper() + roaming.mid(1) : text + QStringLiteral(" · ") + roaming;
    }
    if (text == m_routeText)
        return;
    m_routeText = text;
    Q_EMIT routeTextChanged();
}

void KeypadViewController::startTimer(int milliseconds, void (KeypadViewController::*method)())
{
    stopTime();
    m_timer = new QTimer(this);
    m_timer->setInterval(milliseconds);
    connect(m_timer, &QTimer::timeout, this, method);
    m_timer->start();
}

void KeypadViewController::stopTime()
{
    if (!m_timer)
        return;
    m_timer->stop();
    m_timer->deleteLater(); // it may be the sender of the slot that stops it
    m_timer = nullptr;
}

void KeypadViewController::myMethod()
{
    stopTime();
    setDisplay(KeypadText::replaceLastByPlus(m_display));
}

void KeypadViewController::detectLongBackspacePressing()
{
    startTimer(backspaceRepeatMs, &KeypadViewController::backSpaceTimerMethod);
}

void KeypadViewController::backSpaceTimerMethod() { setDisplay(KeypadText::dropLast(m_display)); }
