#include "access/LANFileNameparser.h"

#include "core/AppSettings.h"

#include <QXmlStreamReader>
#include <limits>

namespace {
QString withoutLineFeedsAndTabs(QString text)
{
    text.remove(u'\n');
    text.remove(u'\t');
    return text;
}
}

LANFileNameparser::LANFileNameparser(AppSettings &settings, VersionAnnouncer announceVersion)
    : m_settings(settings)
    , m_announceVersion(std::move(announceVersion))
{
}

bool LANFileNameparser::parse(QByteArrayView document)
{
    QXmlStreamReader reader(document.toByteArray());
    reader.setNamespaceProcessing(false); // element names as written
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            didStartElement(reader.qualifiedName().toString());
            break;
        case QXmlStreamReader::Characters:
            foundCharacters(reader.text());
            break;
        case QXmlStreamReader::EndElement:
            didEndElement(reader.qualifiedName().toString());
            break;
        case QXmlStreamReader::DTD:
            reader.raiseError(QStringLiteral("a document type declaration in an update descriptor"));
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}

void LANFileNameparser::didStartElement(const QString &name)
{
    m_currentElement = name;
    m_currentElementValue.reset(); // the text of this element starts here
}

void LANFileNameparser::foundCharacters(QStringView text)
{
    if (m_currentElementValue)
        m_currentElementValue->append(text);
    else
        m_currentElementValue = text.toString();
}

void LANFileNameparser::didEndElement(const QString &name)
{
    if (name == u"Books")
        return;
    decide();
    m_currentElement.reset();
    m_currentElementValue.reset();
}

void LANFileNameparser::decide()
{
    if (!m_currentElement || !m_currentElementValue)
        return;
    const QString &text = *m_currentElementValue;
    if (*m_currentElement == u"process") {
        if (text.contains(u"false"))
            m_settings.errorOccured = 1;
    } else if (*m_currentElement == u"file") {
        m_settings.currentLANFileURL = withoutLineFeedsAndTabs(text);
    } else if (*m_currentElement == u"version") {
        const int version = intValue(withoutLineFeedsAndTabs(text));
        if (m_settings.currentVersionNumber >= version)
            m_settings.errorOccured = 1;
        else if (m_announceVersion)
            m_announceVersion(version);
    }
}

int LANFileNameparser::intValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = std::min(limit, value * 10 + (text[i].unicode() - u'0'));
    if (negative)
        return int(-value);
    return int(std::min<qint64>(value, std::numeric_limits<int>::max()));
}
