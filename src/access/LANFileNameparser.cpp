#include "access/LANFileNameparser.h"

#include "core/AppSettings.h"

#include <QXmlStreamReader>
#include <algorithm>

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
    m_errorString.clear();
    m_versionRead = false;
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
            if (!m_errorString.isEmpty())
                reader.raiseError(m_errorString);
            break;
        case QXmlStreamReader::DTD:
            reader.raiseError(QStringLiteral("A document type declaration"));
            break;
        default:
            break;
        }
    }
    if (!reader.hasError() && !m_versionRead)
        m_errorString = QStringLiteral("no version");
    if (!reader.hasError() && m_errorString.isEmpty())
        return true;
    if (m_errorString.isEmpty()) {
        QString what = reader.errorString();
        if (what.endsWith(u'.'))
            what.chop(1);
        m_errorString = QStringLiteral("%1 at line %2").arg(what).arg(reader.lineNumber());
    }
    return false;
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
        const QString digits = text.trimmed();
        if (digits.isEmpty())
            return; // no version: the descriptor is not valid unless another element gives one
        m_versionRead = true;
        const std::optional<int> version = intValue(digits);
        if (!version)
            m_errorString = QStringLiteral("version %1 is %2")
                                .arg(digits, QLatin1String(isWholeNumber(digits) ? "out of range" : "not a whole number"));
        else if (m_settings.currentVersionNumber >= *version)
            m_settings.errorOccured = 1;
        else if (m_announceVersion)
            m_announceVersion(*version);
    }
}

bool LANFileNameparser::isWholeNumber(QStringView text)
{
    if (text.startsWith(u'-') || text.startsWith(u'+'))
        text = text.sliced(1);
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

std::optional<int> LANFileNameparser::intValue(QStringView text)
{
    if (!isWholeNumber(text))
        return std::nullopt;
    bool fits = false;
    const int value = text.toInt(&fits);
    return fits ? std::optional(value) : std::nullopt;
}
