#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringDecoder>
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

struct VCardProblem
{
    int line = 0;
    QString message;
};

// What a reader finds, handed on in the order of the text.
class VCardHandler
{
public:
    virtual ~VCardHandler() = default;
    // BEGIN:VCARD at `line`.
    virtual void beginCard(int line) = 0;
    // A property of the card begun.
    virtual void property(const VCardProperty &property) = 0;
    // Its END:VCARD.
    virtual void endCard() = 0;
    // The card begun at `line` has no END:VCARD: another card or the end of the text came first.
    virtual void cardWithoutEnd(int line) = 0;
};

// Reads vCard 2.1, 3.0 and 4.0 text given in pieces of any size, keeping no more of it than the
// line being read: any line ending (LF, CR LF, CR CR LF, CR), folded lines, quoted-printable soft
// line breaks, CHARSET parameters, UTF-8 with a fallback to Windows-1252 for bytes that are not
// UTF-8, UTF-16 with a byte order mark. Lines that are not properties are passed over; nothing in
// the bytes can make it fail.
class VCardReader
{
public:
    explicit VCardReader(VCardHandler &handler);

    void read(QByteArrayView piece);
    // The end of the text.
    void finish();

private:
    void startText(QByteArrayView text);
    void readDecoded(QByteArrayView bytes);
    void readText(QByteArrayView text);
    void emptyLinesOfExtraCRs();
    void physicalLine(QByteArrayView line);
    void endLogicalLine();

    // Finds, as a logical line grows, whether its parameters ask for quoted-printable: the text
    // before the first ":" outside quotes is scanned once, however many lines are joined.
    class HeadScanner
    {
    public:
        bool isQuotedPrintable(const QByteArray &line);

    private:
        qsizetype m_scanned = 0;
        qsizetype m_colon = -1;
        bool m_quoted = false;
        std::optional<bool> m_quotedPrintable;
    };

    VCardHandler &m_handler;
    QByteArray m_start; // the first bytes, until the byte order mark is known
    bool m_started = false;
    std::optional<QStringDecoder> m_utf16;
    QString m_heldSurrogate;
    QByteArray m_partial; // a physical line whose end has not come yet
    int m_nextLine = 1;
    bool m_afterCR = false; // the last line ended in CR: an LF after it is part of that line end
    int m_extraCRs = 0;     // CRs after that CR, each an empty line unless an LF follows
    QByteArray m_logical;   // the logical line being joined, when there is one
    int m_logicalLine = 0;  // its number; 0 for none
    HeadScanner m_head;
    std::optional<int> m_openCard; // the line of its BEGIN:VCARD
};
