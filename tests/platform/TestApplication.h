#pragma once
// One QApplication for the tests that need widgets (on Qt's offscreen
// platform, set by the test runner). It is never destroyed: tests end with
// the process, and a QApplication torn down during static destruction
// would outlive the objects it depends on.

#include <QApplication>

inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "platform_tests";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}
