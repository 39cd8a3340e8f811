#pragma once

#include "platform/Telephone.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

struct PlatformServices;

// The options both faces of the program take, `farline COMMAND` and the window. Each is resolved
// once, here: the option, else its environment variable, else the default.
struct GlobalOptions
{
    QString home;      // --home, $FARLINE_HOME, else the per-user data folder
    QString bundle;    // --bundle, $FARLINE_BUNDLE, else the resources built into the program
    QString telephone; // --telephone, $FARLINE_TELEPHONE, else "system"; always a known backend
    QString server;    // --server, $FARLINE_UPDATE_SERVER, else the update server of the build
    // The Ed25519 public key (PEM) that access number updates must be signed with: the file named
    // by --update-key or $FARLINE_UPDATE_KEY, else the build's (FARLINE_UPDATE_PUBLIC_KEY). Empty
    // when there is none: updates are taken unsigned.
    QByteArray updateKey;

    // The key built into the program; empty in a build without one.
    static const QByteArray builtInUpdateKey;
};

// What one start of the program asks for.
struct Launch
{
    GlobalOptions options;
    QStringList command; // the command and its arguments; none opens the window
    bool help = false;
    bool version = false;
    std::optional<QString> screenshots; // the window renders each screen into this folder
    bool selfTest = false;              // the window shows each screen once, checking its QML
};

// The launch that `arguments` (the program's name first) ask for, or the line saying what is wrong.
std::variant<Launch, QString> parseLaunch(const QStringList &arguments);

// The platform services the options name. The window hands in how its window system opens
// addresses; the command line has none.
PlatformServices servicesFrom(const GlobalOptions &options, Telephone::UrlOpener windowOpener = {});
