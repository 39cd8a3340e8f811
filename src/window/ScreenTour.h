#pragma once

#include <QString>

struct GlobalOptions;

// A walk through every screen of the window, offscreen, over a sample home made for it in a
// temporary folder (never the user's home): the first start, the keypad with a number typed, the
// settings and each screen they open.
namespace ScreenTour {
// Writes each screen as DIR/NAME.png. Exit status 0, or 1 when one could not be drawn or written.
int screenshots(const GlobalOptions &options, const QString &dir);
// Compiles every QML file of the window, then shows each screen once. Exit status 0 only when no
// QML warning or error was printed.
int selfTest(const GlobalOptions &options);
}
