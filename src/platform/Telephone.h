#pragma once

#include "platform/PhoneCall.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QUrl;

// The handset's telephone as call placement needs it: can this handset place calls at all, and
// a call placed to a dial string (what follows "tel:": number, "," pauses, tones).
class Telephone : public QObject
{
    Q_OBJECT

public:
    // How a window system opens an address (QDesktopServices::openUrl in the window).
    using UrlOpener = std::function<bool(const QUrl &)>;
    using Maker = std::function<std::unique_ptr<Telephone>(const QString &name, UrlOpener windowOpener)>;

    // Whether this handset can place calls, answered from what the telephone knows now, without
    // waiting on anything but a first question of its own. A telephone that learns more later (the
    // modem, from the window's watcher) says canPlaceCallsChanged().
    virtual bool canPlaceCalls() = 0;
    virtual std::unique_ptr<PhoneCall> dial(const QString &dialString) = 0;
    // What ModemManager answered, from the window's watcher that asks it off the main thread:
    // whether the handset has a modem that places voice calls. Telephones without the modem pass
    // over it.
    virtual void modemAnswered(bool voiceModemFound) { Q_UNUSED(voiceModemFound) }

    static const QString defaultName; // "system"
    // The backends' names: "system", "modem", "tel", "print", "unsupported", "refuse".
    static QStringList names();
    // The backend of that name; null for any other. The desktop's "tel:" handler gets its
    // addresses through `windowOpener` when there is one.
    static std::unique_ptr<Telephone> create(const QString &name, UrlOpener windowOpener = {});

    // The programs that link the D-Bus libraries (farline-modem, the window) make "system" and
    // "modem" with `maker`, which places calls through ModemManager.
    static void setModemTelephones(Maker maker);
    // Whether the telephone `name` places calls through the modem, which this program cannot:
    // the command line then places its calls through farline-modem.
    static bool needsModemProgram(const QString &name);

Q_SIGNALS:
    void canPlaceCallsChanged();
};

// A telephone that hands every call over to another program as a "tel:" address: the call is
// that program's once it took it.
class HandOffTelephone : public Telephone
{
    Q_OBJECT

public:
    // Whether the program took the address.
    virtual bool open(const QUrl &address) = 0;
    std::unique_ptr<PhoneCall> dial(const QString &dialString) final;
};
