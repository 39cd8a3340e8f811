#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class DataFileLines;

// The country dialling table: for each country key the international dialling code(s) of that
// country, read once from the enciphered "MCCFile.txt", and the test whether a destination
// lies abroad.
class TCCManager
{
public:
    static const QString fileName; // "MCCFile.txt"

    // An empty table, tied to no file.
    TCCManager() = default;
    // A table filled from the enciphered file at `mccFilePath` (loadTCCInfo).
    explicit TCCManager(QString mccFilePath);

    // Column 1, the country keys, and column 2, their dialling codes (digits after "+"):
    // parallel, row i of both from the same line.
    const QStringList &mccArray() const { return m_mccArray; }
    const QStringList &tccArray() const { return m_tccArray; }

    // Appends one row per usable line of the file; a missing or undecipherable file adds none.
    void loadTCCInfo();
    // Appends one row per line of at least two space-separated fields: the first field is the
    // key, the second the code, anything after a second space is ignored. Shorter lines are
    // skipped, so the two columns never shift against each other.
    void appendRows(const DataFileLines &file);

    // Whether `number` (normalised: digits, "," and "00" for "+"; a leading "+" is accepted too)
    // is a call abroad for the SIM country `simCountryKey`: true for numbers of at least six
    // characters in international form whose code is none of the SIM country's codes.
    bool abroadNumber(const QString &number, const std::optional<QString> &simCountryKey) const;

private:
    QString m_path;
    QStringList m_mccArray;
    QStringList m_tccArray;
};
