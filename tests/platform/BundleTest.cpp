#include "platform/Bundle.h"
#include "support/Files.h"

#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace {
TEST(BundleTest, LooksResourcesUpByNameTypeAndFolderInsideTheBundleOnly)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/bundle");
    for (const char *name : {"bundle/Countries.txt", "bundle/images/keypad.png", "outside.txt"})
        writeFile(dir.filePath(QLatin1String(name)), {});
    QDir().mkpath(root + QStringLiteral("/folder.txt"));
    const Bundle bundle(root);

    const std::array<const char *, 4> cases[] = {
        // name, type, folder, the path found relative to the bundle root (null for none)
        {"Countries", "txt", "/", "Countries.txt"},
        {"keypad", "png", "/images/", "images/keypad.png"},
        {"keypad", "png", "", nullptr},
        {"Countries", "html", "", nullptr},
        {"folder", "txt", "", nullptr},
        {"outside", "txt", "images/../..", nullptr},
    };
    for (const auto &[name, type, folder, expected] : cases) {
        SCOPED_TRACE(std::string(name) + "." + type + " in " + folder);
        const auto found = bundle.pathForResource(QLatin1String(name), QLatin1String(type), QLatin1String(folder));
        EXPECT_EQ(found, expected ? std::optional(root + u'/' + QLatin1String(expected)) : std::nullopt);
    }
}

} // namespace
