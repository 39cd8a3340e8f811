#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the file at `path`; empty when it is missing or cannot be read.
QByteArray readFile(const QString &path);

// Writes `bytes` to `path`, making its folders, and gives the path back; a file the test cannot
// write ends the test program.
QString writeFile(const QString &path, const QByteArray &bytes);
