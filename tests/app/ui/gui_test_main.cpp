// GoogleTest main for the window tests: one QApplication on the offscreen platform.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and machine formats of the tests stay out of the user's home folder.
    QTemporaryDir home;
    qputenv("KORVIX_HOME", home.path().toUtf8());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
