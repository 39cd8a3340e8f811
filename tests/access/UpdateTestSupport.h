#pragma once

#include "support/DataFiles.h"
#include "support/FaultServer.h"

#include <QByteArray>
#include <QDir>
#include <QString>

// What the update tests share: descriptors, an old and a new access number file.
namespace UpdateTest {

inline QByteArray descriptor(const QString &file, int version, const char *process = "true")
{
    QString escaped = file;
    escaped.replace(u'&', QStringLiteral("&amp;"));
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Books>\n\t<Book>\n\t\t<process>" + QByteArray(process)
        + "</process>\n\t\t<file>" + escaped.toUtf8() + "</file>\n\t\t<version>" + QByteArray::number(version)
        + "</version>\n\t</Book>\n</Books>\n";
}

// The file installed before an update: one number for the SIM country 234.
inline QByteArray oldFile() { return sealedDataFile("234 +44 20 1000\r\n"); }

// The file an update brings: well over 1024 bytes, the first number of 234 being +442079460999.
inline QByteArray newFile()
{
    QByteArray plain = "234 +44 20 7946 0999\r\n260 +48 22 000\r\n";
    for (int i = 0; i < 200; ++i)
        plain += "234 +44 20 7946 " + QByteArray::number(1000 + i) + "\r\n";
    return sealedDataFile(plain);
}

// The files of a documents folder, hidden ones too: a staged download left behind shows here.
inline QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace UpdateTest
