#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Keeps the user's own settings and documents out of the tests' reach.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dravik"));
    QApplication::setApplicationName(QStringLiteral("Morlenta"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
