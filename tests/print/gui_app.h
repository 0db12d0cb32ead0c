// The one QGuiApplication of print_tests (offscreen unless QT_QPA_PLATFORM says otherwise),
// made by the first test that needs fonts or a paint device.
#pragma once

#include <QGuiApplication>

inline void ensureApp() {
    static int argc = 1;
    static char name[] = "print_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance()) static QGuiApplication app(argc, argv);
}
