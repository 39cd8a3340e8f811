#pragma once

#include <QByteArray>
#include <QString>

// A large access number file for measuring loads: 100,000 lines "KEY +CC AAA BBB CCCC NNN" of
// about 30 bytes (3 MB), for 5,000 keys of 20 numbers each, in a scattered order.
namespace LargeLANFile {
constexpr int lines = 100000;
constexpr int keys = 5000;

QByteArray plainText();
// The plain text sealed in the data file envelope behind a fixed chaining block.
QByteArray enciphered();
// A key of the file; it has lines / keys numbers.
QString sampleKey();
}
