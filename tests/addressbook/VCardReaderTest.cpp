#include "addressbook/VCardReader.h"

#include <gtest/gtest.h>

namespace {
// The value of the first FN or TEL property of the only card in `text`, read in pieces of
// `pieceSize` bytes; its defect in <>.
QString valueOf(const QByteArray &text, qsizetype pieceSize)
{
    struct : VCardHandler
    {
        int cards = 0;
        std::optional<QString> value;
        void beginCard(int) override {}
        void property(const VCardProperty &property) override
        {
            if (!value && (property.name == "FN" || property.name == "TEL"))
                value = property.defect ? u'<' + *property.defect + u'>' : property.value;
        }
        void endCard() override { ++cards; }
        void cardWithoutEnd(int) override {}
    } found;
    VCardReader reader(found);
    for (qsizetype at = 0; at < text.size(); at += pieceSize)
        reader.read(QByteArrayView(text).sliced(at, std::min(pieceSize, text.size() - at)));
    reader.finish();
    if (found.cards != 1)
        return QStringLiteral("<%1 cards>").arg(found.cards);
    return found.value.value_or(QStringLiteral("<none>"));
}

QByteArray utf16(const QString &text)
{
    return QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

TEST(VCardReaderTest, UnfoldsAndDecodesValues)
{
    const std::tuple<const char *, QByteArray, QString> cases[] = { // name, text, the value of the first FN or TEL
        {"LF", "BEGIN:VCARD\nTEL:1 2\nEND:VCARD\n", QStringLiteral("1 2")},
        {"CR LF", "BEGIN:VCARD\r\nTEL:1 2\r\nEND:VCARD\r\n", QStringLiteral("1 2")},
        {"CR CR LF", "BEGIN:VCARD\r\r\nTEL:1 2\r\r\nEND:VCARD\r\r\n", QStringLiteral("1 2")},
        {"lone CR", "BEGIN:VCARD\rTEL:1 2\rEND:VCARD", QStringLiteral("1 2")},
        {"CR CR without LF ends two lines", "BEGIN:VCARD\nFN;QUOTED-PRINTABLE:a=\r\rb\nEND:VCARD\n", QStringLiteral("a")},
        {"no line end after END", "BEGIN:VCARD\nTEL:12\nEND:VCARD", QStringLiteral("12")},
        {"folded with a blank", "BEGIN:VCARD\r\nTEL:905-666\r\n -1234\r\nEND:VCARD\r\n", QStringLiteral("905-666-1234")},
        {"folded with a tab, second blank kept", "BEGIN:VCARD\nFN:Anna\n\t  Berg\nEND:VCARD\n", QStringLiteral("Anna  Berg")},
        {"fold inside a UTF-8 character", "BEGIN:VCARD\nFN:\xCE\r\n \xB1\xCE\xB2\nEND:VCARD\n", QStringLiteral("αβ")},
        {"quoted-printable with soft breaks", "BEGIN:VCARD\nFN;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=C3=91=\n=20=C3=91\nEND:VCARD\n",
         QStringLiteral("Ñ Ñ")},
        {"bare 2.1 encoding, lower case", "BEGIN:VCARD\nFN;quoted-printable:a=3Db=\r\n\r\nEND:VCARD\n", QStringLiteral("a=b")},
        {"soft break before END stops", "BEGIN:VCARD\nFN;ENCODING=QUOTED-PRINTABLE:Anna=\nEND:VCARD\n", QStringLiteral("Anna")},
        {"base64 padding is not a soft break", "BEGIN:VCARD\nPHOTO;ENCODING=b:AAA=\nFN:x\nEND:VCARD\n", QStringLiteral("x")},
        {"Latin-1 bytes without CHARSET", "BEGIN:VCARD\nFN:T\xF6\x63ken\nEND:VCARD\n", QStringLiteral("Töcken")},
        {"Windows-1250 named", "BEGIN:VCARD\nFN;CHARSET=windows-1250:Krak\xF3w ma\xB3opolskie\nEND:VCARD\n",
         QStringLiteral("Kraków małopolskie")},
        {"UTF-8 BOM", "\xEF\xBB\xBF" "BEGIN:VCARD\nFN:Zoë\nEND:VCARD\n", QStringLiteral("Zoë")},
        {"escapes are kept for the caller", "BEGIN:VCARD\nFN:Richter\\,James\\n\nEND:VCARD\n", QStringLiteral("Richter\\,James\\n")},
        {"colon inside a quoted parameter", "BEGIN:VCARD\nTEL;X-A=\"a:b\";TYPE=CELL:12:34\nEND:VCARD\n", QStringLiteral("12:34")},
        {"a quoted value in a list (EDS)", "BEGIN:VCARD\nTEL;X-EVOLUTION-E164=70111,\"+46\";TYPE=CELL:+46 70 111\nEND:VCARD\n",
         QStringLiteral("+46 70 111")},
        {"lines outside cards are ignored", "junk\nEND:VCARD\nBEGIN:VCARD\nTEL:5\nEND:VCARD\ntrailing junk", QStringLiteral("5")},
        {"lower-case delimiters and names", "begin:vcard\ntel:7\nend:vcard\n", QStringLiteral("7")},
        {"UTF-16 with a byte order mark", utf16(QStringLiteral("BEGIN:VCARD\r\nFN:Łucja 𝄞\r\nEND:VCARD\r\n")), QStringLiteral("Łucja 𝄞")},
        {"an enormous line", "BEGIN:VCARD\nNOTE:" + QByteArray(8 * 1024 * 1024, 'x') + "\nFN:After\nEND:VCARD\n", QStringLiteral("After")},
    };
    // Whole, and as a file read in pieces that split every line end, character and mark.
    for (const auto &[name, text, expected] : cases) {
        EXPECT_EQ(valueOf(text, text.size()), expected) << name;
        EXPECT_EQ(valueOf(text, 1), expected) << name << ", a byte at a time";
    }
}

} // namespace
