#include "platform/DesktopEntry.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
std::optional<DesktopEntry> entryOf(const QTemporaryDir &dir, const QByteArray &lines)
{
    return DesktopEntry::read(writeFile(dir.filePath(QStringLiteral("phone.desktop")), "[Desktop Entry]\n" + lines), QStringLiteral("phone.desktop"));
}

TEST(DesktopEntryTest, TheExecLineBecomesTheCommandForAnAddress)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("phone.desktop"));
    // The address reaches the handler as one argument, whatever it holds.
    const QString url = QStringLiteral("tel:+49 30;x='$(touch x)'\"");
    const std::pair<const char *, std::optional<QStringList>> cases[] = {
        {"phone %u", QStringList{"phone", url}},
        {"\"/opt/my phone/phone\" --dial %U", QStringList{"/opt/my phone/phone", "--dial", url}},
        {"phone %i %c %k %f", QStringList{"phone", "--icon", "phone-icon", "Phone", path, url}},
        {"phone 100%% %d %u %", QStringList{"phone", "100%", url}},
        {"phone --quiet", QStringList{"phone", "--quiet", url}},
        {"phone\\s%u", QStringList{"phone", url}}, // the key file's own escape
        {"\"phone %u", std::nullopt},
    };
    for (const auto &[exec, command] : cases) {
        SCOPED_TRACE(exec);
        const auto entry = entryOf(dir, QByteArray("Type=Application\nName=Phone\nIcon=phone-icon\nExec=") + exec + "\n");
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->commandFor(url), command);
    }
}

TEST(DesktopEntryTest, OnlyAnInstalledApplicationCanBeLaunched)
{
    const QTemporaryDir dir;
    const std::pair<const char *, bool> cases[] = {
        {"Type=Application\nExec=phone %u\n", true},
        {"Type=Application\nExec=phone %u\nTryExec=sh\n", true},
        {"Type=Application\nExec=phone %u\nTryExec=/nonexistent/phone\n", false},
        {"Type=Application\nExec=phone %u\nHidden=true\n", false},
        {"Type=Application\n", false},
        {"Type=Link\nURL=tel:112\nExec=phone %u\n", false},
    };
    for (const auto &[lines, launchable] : cases) {
        SCOPED_TRACE(lines);
        const auto entry = entryOf(dir, lines);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->isLaunchable(), launchable);
    }
    EXPECT_FALSE(entryOf(dir, "Exec=phone\nnot a key file line\n"));
}
} // namespace
