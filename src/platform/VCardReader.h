#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// One parameter of a property. A vCard 2.1 parameter without "=" (TEL;CELL) has an empty name
// and the word as its value. Names are upper-cased; values keep their case, quotes removed.
struct VCardParameter
{
    QByteArray name;
    QByteArray value;
};

// One property of a card as the file gives it, after unfolding, quoted-printable decoding and
// character set decoding. The value still holds its backslash escapes.
struct VCardProperty
{
    int line = 0;     // where the property starts in the file, from 1
    QByteArray group; // upper-cased, empty without group ("ITEM1" of "item1.TEL")
    QByteArray name;  // upper-cased
    QList<VCardParameter> parameters;
    QString value;
    std::optional<QString> defect; // why the property cannot be trusted, if it cannot

    // The TYPE values (comma lists split, any number of TYPE parameters) and the bare 2.1
    // parameters that are not encodings, upper-cased.
    QList<QByteArray> types() const;
};

// The properties between one BEGIN:VCARD and its END:VCARD.
struct VCard
{
    int line = 0; // of BEGIN:VCARD
    QList<VCardProperty> properties;
};

struct VCardProblem
{
    int line = 0;
    QString message;
};

struct VCardFile
{
    QList<VCard> cards;
    QList<VCardProblem> problems; // cards that could not be read whole: missing END:VCARD
};

// Reads vCard 2.1, 3.0 and 4.0 text: any line ending (LF, CR LF, CR CR LF, CR), folded lines,
// quoted-printable soft line breaks, CHARSET parameters, UTF-8 with a fallback to Windows-1252
// for bytes that are not UTF-8, UTF-16 with a byte order mark. Lines that are not properties
// are passed over; nothing in the bytes can make it fail.
namespace VCardReader {
VCardFile read(QByteArrayView bytes);
}
