#pragma once

class QString;

// Lines for the command line, always written as UTF-8 whatever the locale, and flushed.
namespace Console {
void out(const QString &line);
void err(const QString &line);
}
