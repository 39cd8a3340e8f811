#pragma once

#include <QList>
#include <QString>

class Bundle;
class QByteArray;

// The country list resource "Countries.txt": UTF-8 lines "NAME... KEY", the key being the
// last field. Both country screens read it through here.
class CountryList
{
public:
    CountryList() = delete;

    struct Entry
    {
        QString name; // every field but the last, each followed by one space
        QString key;  // the last field

        bool operator==(const Entry &) const = default;
    };

    // Lines end at "\n" (a carriage return before it is dropped with it). A line is cut at every
    // single space, so two spaces in a row give an empty field; lines of fewer than two fields
    // are skipped. File order.
    static QList<Entry> parse(const QByteArray &utf8);
    // The bundle's list; empty when the resource is missing.
    static QList<Entry> fromBundle(const Bundle &bundle);
};
