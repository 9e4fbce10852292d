// Test main for widget tests: runs every test inside one offscreen QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Frame windows made by tests neither read nor leave a placement file: no file can exist
    // below /dev/null.
    setenv("QUILLON_PLACEMENT_FILE", "/dev/null/placement.INI", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
