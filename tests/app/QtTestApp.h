#pragma once

#include <QApplication>

namespace keslog::test {

// The one QApplication the widget tests of this program share.
inline void ensureQApplication() {
    static int argc = 1;
    static char arg0[] = "app_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace keslog::test
