#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("farline-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
