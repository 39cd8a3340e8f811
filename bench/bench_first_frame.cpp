// Start to first frame, offscreen or on the platform QT_QPA_PLATFORM names: the dialer window as
// farline-window opens it, a bare Qt Quick window showing one rectangle, or a window showing only
// the keypad tab's texts (the title, the number and its route, the keys' digits and letters,
// "Call", the tabs' names) in the same fonts and sizes, drawn the same way, with the font
// database filled meanwhile as the dialer does: what any window that draws those texts with Qt
// Quick costs. Prints "frame" once the first frame is drawn and exits;
// bench/compare_window_start.py times them from their start, many times.
//   bench_first_frame window [farline options...]     bench_first_frame bare|texts

#include "app/GlobalOptions.h"
#include "datafile/CryptoManager.h"
#include "window/StartTrail.h"
#include "window/WindowRun.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QThread>
#include <QtQml/qqmlextensionplugin.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

Q_IMPORT_QML_PLUGIN(Farline_WindowPlugin)

namespace {
constexpr char bareWindow[] = R"(import QtQuick
Window {
    visible: true; width: 320; height: 480
    Rectangle { anchors.fill: parent; color: "steelblue" }
})";

constexpr char textsWindow[] = R"(import QtQuick
Window {
    visible: true; width: 320; height: 480
    Rectangle { anchors.fill: parent; color: "steelblue" }
    Column {
        Text { text: "Farline"; font.family: "Helvetica"; font.pixelSize: 20; font.bold: true }
        Text { text: ""; font.family: "Helvetica"; font.pixelSize: 32; font.bold: true }
        Text { text: "Via access number +48225000000"; font.family: "Helvetica"; font.pixelSize: 12 }
        Grid {
            columns: 3
            Repeater {
                model: [["1", " "], ["2", "ABC"], ["3", "DEF"], ["4", "GHI"], ["5", "JKL"], ["6", "MNO"],
                        ["7", "PQRS"], ["8", "TUV"], ["9", "WXYZ"], [",", "pause"], ["0", "+"]]
                Column {
                    required property var modelData
                    Text { text: modelData[0]; font.family: "Helvetica"; font.pixelSize: 32; style: Text.Raised }
                    Text { text: modelData[1]; font.family: "Helvetica"; font.pixelSize: 10; font.bold: true }
                }
            }
        }
        Text { text: "Call"; font.family: "Helvetica"; font.pixelSize: 24; font.bold: true; style: Text.Raised }
        Row {
            Repeater {
                model: ["Keypad", "Recents", "Favorites", "Contacts", "More"]
                Text { required property string modelData; text: modelData; font.family: "Helvetica"; font.pixelSize: 10; font.bold: true }
            }
        }
    }
})";

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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // unless an X server is asked for
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    std::jthread crypto;
    if (mode == u"window")
        crypto = CryptoManager::prepareMeanwhile(); // as the window's main() does
    QGuiApplication application(argc, argv);
    StartTrail::mark("the application object is made");
    if (mode == u"bare" || mode == u"texts") {
        const std::unique_ptr<QThread> fonts(QThread::create([] { QFontDatabase::families(); }));
        if (mode == u"texts") {
            fonts->start();
            QQuickWindow::setTextRenderType(QQuickWindow::NativeTextRendering); // as the dialer draws them
        }
        QQmlApplicationEngine engine;
        engine.loadData(mode == u"bare" ? bareWindow : textsWindow);
        StartTrail::mark("the QML is loaded");
        quitAtFirstFrame(qobject_cast<QQuickWindow *>(engine.rootObjects().value(0)));
        const int status = QGuiApplication::exec();
        fonts->wait();
        return status;
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
