#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

struct AppSettings;

// The delegate of the update descriptor's XML reader: it hears element starts, text and element
// ends, recognises "process", "file" and "version" by name wherever they stand, and writes its
// decisions into the settings record's update mailbox:
//   "process" holding "false" anywhere    refuses the update: errorOccured 1;
//   "file"                                the file's address, line feeds and tabs removed, in
//                                         currentLANFileURL;
//   "version"                             not newer than the installed currentVersionNumber:
//                                         errorOccured 1; newer: handed to `announceVersion`;
//                                         anything but a whole number of 32 bits: the
//                                         descriptor is not valid. A descriptor without a
//                                         version (missing, empty) is not valid either.
// The text of an element is gathered across every piece the reader delivers (an entity such as
// "&amp;" splits it) and judged whole at the element's end.
class LANFileNameparser
{
public:
    using VersionAnnouncer = std::function<void(int version)>;

    LANFileNameparser(AppSettings &settings, VersionAnnouncer announceVersion);

    // Reads `document` with QXmlStreamReader and reports its events here. True when the document
    // is well-formed to its end and holds a version that is a whole number of 32 bits; what was
    // decided before an error stays decided. A document type declaration counts as an error: a descriptor has none, and its
    // entities could blow up.
    bool parse(QByteArrayView document);
    // Why the last parse failed, as a phrase ("version 1e9 is not a whole number", "no
    // version"); empty after a success.
    const QString &errorString() const { return m_errorString; }

    void didStartElement(const QString &name);
    void foundCharacters(QStringView text);
    // Every end tag but that of "Books" clears the current element and its text.
    void didEndElement(const QString &name);

    const std::optional<QString> &currentElement() const { return m_currentElement; }
    const std::optional<QString> &currentElementValue() const { return m_currentElementValue; }

    // A version text: an optional sign and ASCII digits, nothing else (the blanks around it
    // already removed). None for anything else, and when the number does not fit in 32 bits (a clamped version
    // would be recorded and block every later update).
    static std::optional<int> intValue(QStringView text);

private:
    void decide();
    // An optional sign and ASCII digits, however many.
    static bool isWholeNumber(QStringView text);

    AppSettings &m_settings;
    VersionAnnouncer m_announceVersion;
    std::optional<QString> m_currentElement;
    std::optional<QString> m_currentElementValue;
    QString m_errorString;
    bool m_versionRead = false; // the document named a version, valid or not
};
