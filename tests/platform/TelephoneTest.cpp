#include "platform/SystemTelephone.h"
#include "support/TelHandler.h"
#include "support/Files.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
const QString dialString = QStringLiteral("+48221234567,0049301234567");
const QUrl dialAddress(QStringLiteral("tel:") + dialString);

// Called through xdg-open as the desktop's default (a handler that takes the call: see the call
// command's termination test), a handler that fails refuses the call.
TEST(TelephoneTest, AFailingTelHandlerRefusesTheCall)
{
    const TelHandler handler(true, {.exitCode = 3});
    const ScopedEnvironment environment(handler.environment());
    const auto telephone = Telephone::create(QStringLiteral("tel"));
    EXPECT_TRUE(telephone->canPlaceCalls());
    EXPECT_FALSE(telephone->dial(dialString)->accepted());
    EXPECT_EQ(handler.addresses(), QStringList{dialAddress.toString()});
}

// Farline registers for "tel:" links itself: the telephone never hands a call back to it. Each
// application records its name and the address it was given; "opener" is the window system's.
TEST(TelephoneTest, TheHandlerIsChosenByTheDesktopsRulesPassingOverFarline)
{
    const QByteArray farline = SystemTelephone::ownDesktopId.toUtf8();
    const QByteArray farlineDefault = "[Default Applications]\nx-scheme-handler/tel=" + farline + "\n";
    const char *const phoneInCache = "[MIME Cache]\nx-scheme-handler/tel=phone.desktop;\n";
    const std::tuple<const char *, const char *, QList<std::pair<QString, QByteArray>>, const char *> cases[] = {
        // case, current desktop, files beside the applications, who gets the call
        {"another default", "",
         {{"config/mimeapps.list", "[Default Applications]\nx-scheme-handler/tel=phone.desktop\n"},
          {"dirs/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/tel=" + farline + ";softphone.desktop;\n"}},
         "opener"},
        {"Farline the default, another added beside it", "",
         {{"config/mimeapps.list", farlineDefault + "[Added Associations]\nx-scheme-handler/tel=" + farline + ";phone.desktop;\n"}},
         "phone"},
        {"Farline the default, another in a cache", "",
         {{"config/mimeapps.list", farlineDefault}, {"dirs/applications/mimeinfo.cache", phoneInCache}},
         "phone"},
        {"only Farline", "",
         {{"config/mimeapps.list", farlineDefault},
          {"dirs/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/tel=" + farline + ";\n"}},
         ""},
        {"the other one's association removed", "",
         {{"config/mimeapps.list", farlineDefault + "[Removed Associations]\nx-scheme-handler/tel=phone.desktop;\n"},
          {"dirs/applications/mimeinfo.cache", phoneInCache}},
         ""},
        {"a removal applies to lower lists only", "",
         {{"config/mimeapps.list", farlineDefault + "[Added Associations]\nx-scheme-handler/tel=phone.desktop;\n"},
          {"configdirs/mimeapps.list", "[Removed Associations]\nx-scheme-handler/tel=phone.desktop;\n"}},
         "phone"},
        {"missing and hidden defaults passed over", "",
         {{"config/mimeapps.list", "[Default Applications]\nx-scheme-handler/tel=" + farline + ";gone.desktop;phone.desktop;\n"},
          {"data/applications/phone.desktop", "[Desktop Entry]\nType=Application\nName=Phone\nHidden=true\n"},
          {"configdirs/mimeapps.list", "[Default Applications]\nx-scheme-handler/tel=softphone.desktop\n"},
          {"dirs/applications/mimeinfo.cache", phoneInCache}},
         "softphone"},
        {"the current desktop's own list first", "GNOME:Phosh",
         {{"config/phosh-mimeapps.list", farlineDefault},
          {"config/mimeapps.list", "[Default Applications]\nx-scheme-handler/tel=softphone.desktop\n"}},
         "softphone"},
        {"an entry that no longer lists the type", "",
         {{"config/mimeapps.list", farlineDefault},
          {"data/applications/phone.desktop", "[Desktop Entry]\nType=Application\nName=Phone\nExec=true %u\n"},
          {"dirs/applications/mimeinfo.cache", phoneInCache}},
         ""},
        {"an id standing for a file in a subfolder", "",
         {{"config/mimeapps.list", farlineDefault + "[Added Associations]\nx-scheme-handler/tel=vendor-phone.desktop;\n"},
          {"dirs/applications/vendor/phone.desktop",
           "[Desktop Entry]\nType=Application\nName=Vendor phone\nExec=%ROOT/record.sh vendor %u\n"}},
         "vendor"},
    };
    for (const auto &[name, desktop, files, called] : cases) {
        SCOPED_TRACE(name);
        const TelHandler folders(false);
        const QString root = folders.path({});
        folders.write(QStringLiteral("record.sh"), "#!/bin/sh\nprintf '%s %s\\n' \"$1\" \"$2\" >> \"$(dirname \"$0\")/calls.txt\"\n", true);
        const auto application = [&](const QString &file, const char *recordedName) {
            folders.write(file, QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2/record.sh %1 %u\n"
                                               "MimeType=text/plain;x-scheme-handler/tel;\n")
                                    .arg(QLatin1String(recordedName), root)
                                    .toUtf8());
        };
        application(QStringLiteral("dirs/applications/") + SystemTelephone::ownDesktopId, "farline");
        application(QStringLiteral("dirs/applications/phone.desktop"), "phone");
        application(QStringLiteral("data/applications/softphone.desktop"), "softphone");
        for (const auto &[file, content] : files)
            folders.write(file, QByteArray(content).replace("%ROOT", QFile::encodeName(root)));
        const ScopedEnvironment environment(folders.environment() + QStringList{QStringLiteral("XDG_CURRENT_DESKTOP=") + desktop});

        QStringList opened;
        const auto telephone = Telephone::create(QStringLiteral("tel"), [&](const QUrl &address) {
            opened.append(QStringLiteral("opener ") + address.toString());
            return true;
        });
        const QString expected = *called ? QLatin1String(called) + u' ' + dialAddress.toString() : QString();
        EXPECT_EQ(telephone->canPlaceCalls(), *called != 0);
        EXPECT_EQ(telephone->dial(dialString)->accepted(), *called != 0);
        opened += QString::fromUtf8(readFile(folders.path(QStringLiteral("calls.txt")))).split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(opened, expected.isEmpty() ? QStringList() : QStringList{expected});
    }
}
} // namespace
