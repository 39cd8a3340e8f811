#include "platform/AtomicFile.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A large file is sent towards the disk while it is still being written: the target must still
// change only at the commit, whole.
TEST(AtomicFileTest, AFileWrittenInPiecesReplacesTheTargetOnlyWholeAtTheCommit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LANFile.txt"));
    writeFile(path, "old");
    QByteArray content;
    for (int i = 0; content.size() < 3 * 1024 * 1024; ++i)
        content += QByteArray::number(i) + " +4930123456\r\n";
    for (const bool committed : {false, true}) {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        for (qsizetype at = 0; at < content.size(); at += 65536)
            ASSERT_TRUE(file.append(QByteArrayView(content).sliced(at, std::min<qsizetype>(65536, content.size() - at))));
        EXPECT_EQ(readFile(path), "old");
        if (committed) {
            ASSERT_TRUE(file.commit()) << file.reason().toStdString();
        }
    }
    EXPECT_EQ(readFile(path), content);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("LANFile.txt")});
}
} // namespace
