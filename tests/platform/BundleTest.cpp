#include "platform/Bundle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void touch(const QString &path)
{
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

TEST(BundleTest, LooksResourcesUpByNameTypeAndFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/bundle");
    touch(root + QStringLiteral("/Countries.txt"));
    touch(root + QStringLiteral("/images/keypad.png"));
    touch(root + QStringLiteral("/README"));
    touch(dir.path() + QStringLiteral("/outside.txt"));
    QDir().mkpath(root + QStringLiteral("/folder.txt"));
    const Bundle bundle(root);

    struct Case
    {
        const char *name, *type, *directory;
        const char *expected; // relative to the bundle root, or null for none
    };
    const Case cases[] = {
        {"Countries", "txt", "", "Countries.txt"},
        {"Countries", "txt", "/", "Countries.txt"},
        {"keypad", "png", "images", "images/keypad.png"},
        {"keypad", "png", "/images/", "images/keypad.png"},
        {"keypad", "png", "/", nullptr},
        {"README", "", "", "README"},
        {"Countries", "html", "", nullptr},
        {"missing", "txt", "/", nullptr},
        {"folder", "txt", "", nullptr},
        {"outside", "txt", "..", nullptr},
        {"outside", "txt", "images/../..", nullptr},
        {"../outside", "txt", "", nullptr},
        {"", "txt", "", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + "." + c.type + " in " + c.directory);
        const auto found = bundle.pathForResource(QLatin1String(c.name), QLatin1String(c.type),
                                                  QLatin1String(c.directory));
        if (c.expected)
            EXPECT_EQ(found, root + u'/' + QLatin1String(c.expected));
        else
            EXPECT_FALSE(found);
    }
}

TEST(BundleTest, AMissingResourceHasNoContents)
{
    QTemporaryDir dir;
    const Bundle bundle(dir.path());
    touch(dir.path() + QStringLiteral("/about.html"));
    EXPECT_EQ(bundle.contentsOfResource(QStringLiteral("about"), QStringLiteral("html")), QByteArray("x"));
    EXPECT_FALSE(bundle.contentsOfResource(QStringLiteral("help"), QStringLiteral("html")));
    EXPECT_FALSE(Bundle(dir.path() + QStringLiteral("/nowhere")).contentsOfResource(QStringLiteral("about"), QStringLiteral("html")));
}

TEST(BundleTest, TheOptionWinsOverTheEnvironmentWhichWinsOverTheBuiltInResources)
{
    qputenv("FARLINE_BUNDLE", "/from/environment");
    EXPECT_EQ(Bundle::resolve(QStringLiteral("/from/option")).root(), u"/from/option");
    EXPECT_EQ(Bundle::resolve(std::nullopt).root(), u"/from/environment");
    qunsetenv("FARLINE_BUNDLE");
    EXPECT_EQ(Bundle::resolve(std::nullopt).root(), QLatin1String(Bundle::builtIn));
}
} // namespace
