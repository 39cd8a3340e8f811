#pragma once

#include "datafile/KeySet.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>

// The access number table: the access numbers of the SIM country, the position of the one in
// use, and every country key met in the access number file during the run.
//
// Loads may run on the update thread while the main thread reads: a new list is built aside
// and swapped in whole, so a reader sees the old list or the new one, never a part of either.
//
// A load finds the numbers of one key without reading every line; the keys of a file that was
// loaded are gathered from it when they are first asked for (only the first start asks).
class LANManger
{
public:
    static const QString fileName; // "LANFile.txt"

    // A table read from the enciphered access number file at `lanFilePath`; empty until loaded.
    explicit LANManger(QString lanFilePath);

    // Snapshots: the list as it stands when asked, untouched by later loads.
    QStringList lanNumbers() const;
    QStringList countriesArray();

    int currentLANpos() const { return m_currentLANpos.load(); }
    // Stored as given, without checking it against the list.
    void setCurrentLANpos(int position) { m_currentLANpos.store(position); }

    // Replaces the list by the numbers of `key` read from the file; an unreadable file gives an
    // empty list. The position and the countries met before are left as they are.
    void loadLANArray(const QString &key);
    // The same with `numbers`, those of the key found in the file just installed in the table's
    // place while it was checked as it arrived, which spares reading the file again.
    void adoptLANArray(QStringList numbers);
    // Whether the last read found the file missing, unreadable or not deciphering, which tells
    // a damaged file from a country without access numbers.
    bool fileUnreadable() const { return m_fileUnreadable.load(); }
    // Reads the file: its keys not met before go to `countriesArray` (when asked for) and the
    // numbers of `key` are returned, in file order (none when the file is missing or does not
    // decipher).
    QStringList devryptLANFile(const QString &key);

private:
    // The body of devryptLANFile; the caller holds m_loading.
    QStringList readNumbers(const QString &key);
    // Puts `numbers` in the list's place; the caller holds m_loading.
    void swapIn(QStringList numbers);

    const QString m_path;
    std::atomic<int> m_currentLANpos = 0;
    std::atomic<bool> m_fileUnreadable = false;

    std::mutex m_loading; // one load at a time; guards the two below
    KeySet m_knownKeys; // the keys of countriesArray
    bool m_keysUnread = false; // the file loaded last may hold keys not gathered yet

    mutable std::mutex m_swap; // guards the two lists below
    QStringList m_lanNumbers;
    QStringList m_countriesArray;
};
