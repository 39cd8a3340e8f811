// Start to first frame, offscreen: the dialer window as farline-window opens it, or a bare Qt
// Quick window showing one rectangle. Prints "frame" once the first frame is drawn and exits;
// bench/compare_window_start.py times both from their start, many times.
//   bench_first_frame window [farline options...]     bench_first_frame bare

#include "app/GlobalOptions.h"
#include "datafile/CryptoManager.h"
#include "window/StartTrail.h"
#include "window/WindowRun.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>
#include <cstdio>
#include <cstdlib>

Q_IMPORT_QML_PLUGIN(Farline_WindowPlugin)

namespace {
void quitAtFirstFrame(QQuickWindow *window)
{
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [] {
        StartTrail::mark("first frame");
        std::puts("frame");
        std::fflush(stdout);
        std::_Exit(0); // what comes after the first frame is not measured
    }, Qt::DirectConnection); // at the swap itself, before what the window queues after it
}
}

int main(int argc, char *argv[])
{
    StartTrail::begin();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    std::jthread crypto;
    if (mode == u"window")
        crypto = CryptoManager::prepareMeanwhile(); // as the window's main() does
    QGuiApplication application(argc, argv);
    StartTrail::mark("the application object is made");
    if (mode == u"bare") {
        QQmlApplicationEngine engine;
        engine.loadData("import QtQuick\nWindow { visible: true; width: 320; height: 480\n"
                        "Rectangle { anchors.fill: parent; color: \"steelblue\" } }");
        StartTrail::mark("the QML is loaded");
        quitAtFirstFrame(qobject_cast<QQuickWindow *>(engine.rootObjects().value(0)));
        return QGuiApplication::exec();
    }
    if (mode != u"window")
        return 2;
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeAt(1);
    const auto launch = parseLaunch(arguments);
    if (!std::holds_alternative<Launch>(launch))
        return 2;
    WindowSession session(std::get<Launch>(launch));
    if (!session.window())
        return 1;
    quitAtFirstFrame(session.window());
    return session.exec();
}
