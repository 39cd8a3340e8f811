#include "platform/VCardReader.h"

#include <QStringDecoder>
#include <vector>

namespace {
struct PhysicalLine
{
    QByteArrayView text;
    int number;
};

struct LogicalLine
{
    QByteArray text;
    int number;
};

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexValue(char c)
{
    if (c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool isValidName(QByteArrayView name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        if (!isNameChar(c))
            return false;
    }
    return true;
}

// A file with a UTF-16 byte order mark is turned into UTF-8; a UTF-8 one loses its mark.
QByteArray withoutByteOrderMark(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.sliced(3).toByteArray();
    const bool little = bytes.startsWith("\xFF\xFE");
    if (little || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return QString(decoder(bytes.sliced(2))).toUtf8();
    }
    return bytes.toByteArray();
}

// Splits at LF, CR LF, CR CR LF (some exporters double the CR) or a lone CR.
std::vector<PhysicalLine> physicalLines(QByteArrayView bytes)
{
    std::vector<PhysicalLine> lines;
    qsizetype start = 0;
    int number = 1;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.push_back({bytes.sliced(start, i - start), number++});
        if (c == '\r') {
            qsizetype j = i + 1;
            while (j < size && bytes[j] == '\r')
                ++j;
            if (j < size && bytes[j] == '\n')
                i = j; // CR... LF is one line end
        }
        start = i + 1;
    }
    if (start < size)
        lines.push_back({bytes.sliced(start), number});
    return lines;
}

// Where the parameters end and the value begins: the first ":" outside double quotes.
qsizetype valueColon(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

// Finds, as a logical line grows, whether its parameters ask for quoted-printable: the text
// before the first ":" outside quotes is scanned once, however many lines are joined.
class HeadScanner
{
public:
    bool isQuotedPrintable(const QByteArray &line)
    {
        for (; m_colon < 0 && m_scanned < line.size(); ++m_scanned) {
            if (line[m_scanned] == '"')
                m_quoted = !m_quoted;
            else if (line[m_scanned] == ':' && !m_quoted)
                m_colon = m_scanned;
        }
        if (m_colon < 0)
            return false;
        if (!m_quotedPrintable)
            m_quotedPrintable = line.first(m_colon).toUpper().contains("QUOTED-PRINTABLE");
        return *m_quotedPrintable;
    }

private:
    qsizetype m_scanned = 0;
    qsizetype m_colon = -1;
    bool m_quoted = false;
    std::optional<bool> m_quotedPrintable;
};

bool isCardBoundary(QByteArrayView line)
{
    const QByteArray upper = line.trimmed().toByteArray().toUpper();
    return upper == "END:VCARD" || upper == "BEGIN:VCARD";
}

// Joins folded lines (a line starting with a blank or a tab continues the one before) and
// quoted-printable soft line breaks (a value ending in "=" continues on the next line, which
// is not indented).
std::vector<LogicalLine> logicalLines(const std::vector<PhysicalLine> &lines)
{
    std::vector<LogicalLine> logical;
    for (size_t i = 0; i < lines.size();) {
        LogicalLine line{lines[i].text.toByteArray(), lines[i].number};
        HeadScanner head;
        ++i;
        while (i < lines.size()) {
            const QByteArrayView next = lines[i].text;
            if (line.text.endsWith('=') && head.isQuotedPrintable(line.text) && !isCardBoundary(next)) {
                line.text.chop(1);
                line.text.append(next);
            } else if (!next.isEmpty() && (next[0] == ' ' || next[0] == '\t')) {
                line.text.append(next.sliced(1));
            } else {
                break;
            }
            ++i;
        }
        logical.push_back(std::move(line));
    }
    return logical;
}

QByteArray decodeQuotedPrintable(QByteArrayView text)
{
    QByteArray decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=' && i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])) {
            decoded.append(char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else if (c == '=' && i == text.size() - 1) {
            // a soft line break at the very end of the card: nothing follows it
        } else {
            decoded.append(c);
        }
    }
    return decoded;
}

QString decodeText(const QByteArray &bytes, const QByteArray &charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData());
        if (named.isValid())
            return named(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Not UTF-8 and no character set named: old exporters write their Windows code page.
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows(bytes);
    return QString::fromLatin1(bytes);
}

bool hasControlCharacters(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if ((uchar(c) < 0x20 && c != '\t') || c == 0x7f)
            return true;
    }
    return false;
}

std::optional<VCardParameter> parameterFrom(QByteArrayView text)
{
    const qsizetype equals = text.indexOf('=');
    VCardParameter parameter;
    QByteArrayView value = text;
    if (equals >= 0) {
        parameter.name = text.first(equals).trimmed().toByteArray().toUpper();
        value = text.sliced(equals + 1);
    }
    value = value.trimmed();
    if (value.contains('"')) {
        if (value.size() < 2 || !value.startsWith('"') || !value.endsWith('"')
            || value.sliced(1, value.size() - 2).contains('"'))
            return std::nullopt;
        value = value.sliced(1, value.size() - 2);
    }
    parameter.value = value.toByteArray();
    return parameter;
}

// "group.NAME;param;param=value:value" into a property; none when the line is not a property.
std::optional<VCardProperty> propertyFrom(const LogicalLine &line)
{
    qsizetype colon = valueColon(line.text);
    const bool unbalanced = colon < 0 && line.text.contains('"');
    if (unbalanced)
        colon = line.text.indexOf(':'); // read it, but as a property that cannot be trusted
    if (colon <= 0)
        return std::nullopt;
    const QByteArrayView head = QByteArrayView(line.text).first(colon);
    const QByteArrayView rawValue = QByteArrayView(line.text).sliced(colon + 1);

    QList<QByteArrayView> segments;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= head.size(); ++i) {
        if (i < head.size() && head[i] == '"')
            quoted = !quoted;
        else if (i == head.size() || (head[i] == ';' && !quoted)) {
            segments.append(head.sliced(start, i - start));
            start = i + 1;
        }
    }

    VCardProperty property;
    property.line = line.number;
    QByteArrayView name = segments.first().trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        if (!isValidName(name.first(dot)))
            return std::nullopt;
        property.group = name.first(dot).toByteArray().toUpper();
        name = name.sliced(dot + 1);
    }
    if (!isValidName(name))
        return std::nullopt;
    property.name = name.toByteArray().toUpper();

    bool quotedPrintable = false;
    QByteArray charset;
    for (qsizetype i = 1; i < segments.size(); ++i) {
        if (segments[i].trimmed().isEmpty())
            continue;
        const auto parameter = parameterFrom(segments[i]);
        if (!parameter) {
            property.defect = QStringLiteral("a parameter has unbalanced quotes");
            continue;
        }
        const QByteArray upperValue = parameter->value.toUpper();
        if ((parameter->name == "ENCODING" || parameter->name.isEmpty()) && upperValue == "QUOTED-PRINTABLE")
            quotedPrintable = true;
        else if (parameter->name == "CHARSET")
            charset = parameter->value;
        property.parameters.append(*parameter);
    }
    if (unbalanced)
        property.defect = QStringLiteral("a parameter has unbalanced quotes");
    if (hasControlCharacters(rawValue))
        property.defect = QStringLiteral("the value holds binary data");
    const QByteArray bytes = quotedPrintable ? decodeQuotedPrintable(rawValue) : rawValue.toByteArray();
    property.value = decodeText(bytes, charset);
    return property;
}

bool isDelimiter(const VCardProperty &property, const char *name)
{
    return property.name == name && property.group.isEmpty()
           && property.value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
}

VCardProblem missingEnd(const VCard &card)
{
    return {card.line, QStringLiteral("card has no END:VCARD")};
}
} // namespace

QList<QByteArray> VCardProperty::types() const
{
    QList<QByteArray> types;
    for (const VCardParameter &parameter : parameters) {
        const QByteArray value = parameter.value.toUpper();
        if (parameter.name == "TYPE") {
            for (const QByteArray &type : value.split(',')) {
                if (!type.trimmed().isEmpty())
                    types.append(type.trimmed());
            }
        } else if (parameter.name.isEmpty()
                   && !QList<QByteArray>{"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"}.contains(value)) {
            types.append(value);
        }
    }
    return types;
}

VCardFile VCardReader::read(QByteArrayView bytes)
{
    const QByteArray text = withoutByteOrderMark(bytes);
    VCardFile file;
    std::optional<VCard> open;
    for (const LogicalLine &line : logicalLines(physicalLines(text))) {
        auto property = propertyFrom(line);
        if (!property)
            continue;
        if (isDelimiter(*property, "BEGIN")) {
            if (open)
                file.problems.append(missingEnd(*open));
            open = VCard{line.number, {}};
        } else if (isDelimiter(*property, "END")) {
            if (open)
                file.cards.append(std::move(*open));
            open.reset();
        } else if (open) {
            open->properties.append(std::move(*property));
        }
    }
    if (open)
        file.problems.append(missingEnd(*open));
    return file;
}
