// One offscreen QApplication for the benchmarks that need Qt, created on first use.
#pragma once

#include <QApplication>
#include <cstdlib>

// The application lives until the process ends: destroying it among the static destructors
// would run after Qt's own globals are gone.
inline void EnsureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "quillon_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
