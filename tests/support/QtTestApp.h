#pragma once
// Widget tests need one QApplication for the whole test program.

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace tapfill::test {

inline QApplication& qtApp()
{
    static int argc = 1;
    static char name[] = "tapfill-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's input devices are children of the application
    // and would be torn down after Qt's own device list at exit.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

/// Base of every fixture that makes widgets: the application comes first.
struct QtTest : ::testing::Test {
    QtTest() { qtApp(); }
};

/// Runs the deletions that deleteLater() left pending; true when `object` is gone.
template <typename Object>
bool deleted(const QPointer<Object>& object)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return object.isNull();
}

} // namespace tapfill::test
