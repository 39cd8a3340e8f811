#include "addressbook/VCardReader.h"

#include <QStringDecoder>
#include <utility>

namespace {
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

bool isCardBoundary(QByteArrayView line)
{
    const QByteArray upper = line.trimmed().toByteArray().toUpper();
    return upper == "END:VCARD" || upper == "BEGIN:VCARD";
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
    if (!value.contains('"')) {
        parameter.value = value.toByteArray();
        return parameter;
    }
    // A list of values, each quoted whole or not at all: X-EVOLUTION-E164=70111,"+46".
    bool quoted = false;
    bool atStart = true; // of a value of the list
    bool closed = false; // a quoted value has ended: a comma or the end must follow
    for (const char c : value) {
        if (quoted) {
            quoted = c != '"';
            closed = !quoted;
            if (quoted)
                parameter.value += c;
        } else if (c == '"') {
            if (!atStart)
                return std::nullopt;
            quoted = true;
            atStart = false;
        } else if (closed && c != ',') {
            return std::nullopt;
        } else {
            atStart = c == ',';
            closed = false;
            parameter.value += c;
        }
    }
    if (quoted)
        return std::nullopt;
    return parameter;
}

// "group.NAME;param;param=value:value" into a property; none when the line is not a property.
std::optional<VCardProperty> propertyFrom(const QByteArray &line, int number)
{
    qsizetype colon = valueColon(line);
    const bool unbalanced = colon < 0 && line.contains('"');
    if (unbalanced)
        colon = line.indexOf(':'); // read it, but as a property that cannot be trusted
    if (colon <= 0)
        return std::nullopt;
    const QByteArrayView head = QByteArrayView(line).first(colon);
    const QByteArrayView rawValue = QByteArrayView(line).sliced(colon + 1);

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
    property.line = number;
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

bool isHighSurrogate(const QString &text) { return !text.isEmpty() && text.back().isHighSurrogate(); }
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


bool VCardReader::HeadScanner::isQuotedPrintable(const QByteArray &line)
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

VCardReader::VCardReader(VCardHandler &handler)
    : m_handler(handler)
{
}

// A text with a UTF-16 byte order mark is turned into UTF-8; a UTF-8 one loses its mark. The
// mark is looked for once three bytes have come.
void VCardReader::read(QByteArrayView piece)
{
    if (m_started) {
        readDecoded(piece);
        return;
    }
    if (m_start.isEmpty() && piece.size() >= 3) {
        startText(piece);
        return;
    }
    m_start.append(piece);
    if (m_start.size() >= 3)
        startText(std::exchange(m_start, QByteArray()));
}

void VCardReader::startText(QByteArrayView text)
{
    m_started = true;
    if (text.startsWith("\xEF\xBB\xBF")) {
        readText(text.sliced(3));
        return;
    }
    const bool little = text.startsWith("\xFF\xFE");
    if (little || text.startsWith("\xFE\xFF")) {
        m_utf16.emplace(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        text = text.sliced(2);
    }
    readDecoded(text);
}

// A high surrogate at the end of a piece waits for its low half in the next one.
void VCardReader::readDecoded(QByteArrayView bytes)
{
    if (!m_utf16) {
        readText(bytes);
        return;
    }
    QString text = std::exchange(m_heldSurrogate, QString()) + (*m_utf16)(bytes);
    if (isHighSurrogate(text)) {
        m_heldSurrogate = text.back();
        text.chop(1);
    }
    readText(text.toUtf8());
}

// Splits at LF, CR LF, CR CR LF (some exporters double the CR) or a lone CR. A line end that
// straddles two pieces is completed by the next one.
void VCardReader::readText(QByteArrayView text)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    for (; m_afterCR && i < size; ++i) {
        if (text[i] == '\n') {
            m_afterCR = false;
            m_extraCRs = 0;
        } else if (text[i] == '\r') {
            ++m_extraCRs;
        } else {
            emptyLinesOfExtraCRs();
            break;
        }
    }
    qsizetype start = i;
    for (; i < size; ++i) {
        const char c = text[i];
        if (c != '\n' && c != '\r')
            continue;
        if (m_partial.isEmpty()) {
            physicalLine(text.sliced(start, i - start));
        } else {
            m_partial.append(text.sliced(start, i - start));
            physicalLine(m_partial);
            m_partial.clear();
        }
        start = i + 1;
        if (c == '\n')
            continue;
        qsizetype j = i + 1;
        while (j < size && text[j] == '\r')
            ++j;
        if (j == size) { // what follows the CRs is in the next piece
            m_afterCR = true;
            m_extraCRs = int(j - i - 1);
        } else if (text[j] == '\n') { // CR... LF is one line end
            j += 1;
        } else { // each further CR ends an empty line
            for (qsizetype k = i + 1; k < j; ++k)
                physicalLine({});
        }
        start = j;
        i = j - 1;
    }
    m_partial.append(text.sliced(start));
}

void VCardReader::emptyLinesOfExtraCRs()
{
    for (; m_extraCRs > 0; --m_extraCRs)
        physicalLine({});
    m_afterCR = false;
}

// Joins folded lines (a line starting with a blank or a tab continues the one before) and
// quoted-printable soft line breaks (a value ending in "=" continues on the next line, which
// is not indented).
void VCardReader::physicalLine(QByteArrayView line)
{
    const int number = m_nextLine++;
    if (m_logicalLine > 0) {
        if (m_logical.endsWith('=') && m_head.isQuotedPrintable(m_logical) && !isCardBoundary(line)) {
            m_logical.chop(1);
            m_logical.append(line);
            return;
        }
        if (!line.isEmpty() && (line[0] == ' ' || line[0] == '\t')) {
            m_logical.append(line.sliced(1));
            return;
        }
        endLogicalLine();
    }
    m_logical = line.toByteArray();
    m_logicalLine = number;
    m_head = HeadScanner();
}

void VCardReader::endLogicalLine()
{
    const int number = std::exchange(m_logicalLine, 0);
    if (number == 0 || m_logical.isEmpty())
        return;
    const auto property = propertyFrom(std::exchange(m_logical, QByteArray()), number);
    if (!property)
        return;
    if (isDelimiter(*property, "BEGIN")) {
        if (m_openCard)
            m_handler.cardWithoutEnd(*m_openCard);
        m_openCard = number;
        m_handler.beginCard(number);
    } else if (isDelimiter(*property, "END")) {
        if (m_openCard) {
            m_openCard.reset();
            m_handler.endCard();
        }
    } else if (m_openCard) {
        m_handler.property(*property);
    }
}

void VCardReader::finish()
{
    if (!m_started)
        startText(std::exchange(m_start, QByteArray()));
    if (!m_heldSurrogate.isEmpty())
        readText(std::exchange(m_heldSurrogate, QString()).toUtf8());
    emptyLinesOfExtraCRs();
    if (!m_partial.isEmpty())
        physicalLine(std::exchange(m_partial, QByteArray()));
    endLogicalLine();
    if (m_openCard)
        m_handler.cardWithoutEnd(*std::exchange(m_openCard, std::nullopt));
}
