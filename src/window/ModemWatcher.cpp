#include "window/ModemWatcher.h"

#include "core/FarlineAppDelegate.h"
#include "platform/Modem.h"
#include "platform/Telephone.h"

#include <QThread>
#include <QTimer>

namespace {
constexpr int askEveryMs = 5 * 60 * 1000;
}

ModemWatcher::ModemWatcher(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_thread(std::make_unique<QThread>())
    , m_context(new QObject)
{
    // The modem is made, asked and deleted on the thread: even connecting to the bus may wait.
    m_context->moveToThread(m_thread.get());
    m_thread->start();
    QMetaObject::invokeMethod(m_context, [this] {
        auto *modem = new Modem(m_context);
        auto *again = new QTimer(m_context);
        connect(again, &QTimer::timeout, modem, [modem] { modem->start(); });
        connect(modem, &Modem::changed, modem, [this, modem] {
            const ModemReport report{modem->simCountryKey(), modem->networkCountryKey()};
            const bool voice = modem->voiceModemFound();
            QMetaObject::invokeMethod(this, [this, report, voice] {
                m_app.setModemReport(report);
                m_app.telephone().modemAnswered(voice);
            }, Qt::QueuedConnection);
        });
        modem->start();
        again->start(askEveryMs);
    });
}

ModemWatcher::~ModemWatcher()
{
    QMetaObject::invokeMethod(m_context, [this] { delete m_context; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}
