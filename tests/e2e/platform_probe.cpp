// A small program that puts the real platform services in the hands of the
// end-to-end tests: it prints every report of the hooks and interceptors on
// stdout, one line each, and takes commands on stdin, one a line:
//
//   arm 0|1          arm or disarm the right click interceptor
//   keep 0|1         whether the interceptor's handler keeps the messages
//   clip TEXT        put TEXT on the clipboard ("\n" for a line break)
//   send KEYS        type KEYS; prints "done 1" or "done 0 REASON" when processed
//   type TEXT        type TEXT as text ("\n" for a line break); "done" as above
//   focus            the WM_CLASS of the focused program
//   window           show a small window of our own
//   topmost          make that window topmost
//   tray             show a tray icon
//   quit
//
// Each printed line starts with the monotonic clock in microseconds.

#include "probe_lines.h"

#include "platform/DesktopPlatform.h"

#include <QApplication>
#include <QPixmap>
#include <QSocketNotifier>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

using namespace tapfill::platform;

namespace {

QIcon solidIcon(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

std::string hex(WindowId id)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(id));
    return buffer;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    std::string error;
    auto made = makeDesktopPlatform(error);
    if (!made) {
        say("error " + error);
        return 2;
    }
    Platform& platform = *made;
    bool keep = true;

    platform.rightClickHook->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp},
                                   WatchedKey::PasteModeKey);
    platform.leftClickHook->watch({MouseMessage::LeftButtonUp}, WatchedKey::None);
    platform.rightClickInterceptor->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp});

    auto report = [](const char* who) {
        return [who](const HookedMessage& m) {
            char buffer[128];
            std::snprintf(buffer, sizeof buffer, "%s 0x%x window=%s own=%d", who,
                          static_cast<int>(m.message), hex(m.window).c_str(), m.ownWindow ? 1 : 0);
            say(buffer);
        };
    };
    platform.rightClickHook->onMouse = report("right-hook");
    platform.leftClickHook->onMouse = report("left-hook");
    platform.rightClickHook->onKey = [] { say("right-hook-key"); };
    platform.leftClickHook->onKey = [] { say("left-hook-key"); };
    platform.rightClickInterceptor->onIntercepted = [&keep](MouseMessage m, bool& kept) {
        kept = keep;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "intercepted 0x%x kept=%d", static_cast<int>(m), keep ? 1 : 0);
        say(buffer);
    };

    auto reportDone = [](const SendResult& result) {
        say(std::string("done ") + (result.typed() ? "1" : "0")
            + (result.reason.empty() ? "" : " " + result.reason));
    };

    QWidget window;
    window.setWindowTitle("Probe window");
    window.resize(300, 120);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            app.quit();
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            std::string command = line.substr(0, line.find(' '));
            std::string rest = line.size() > command.size() ? line.substr(command.size() + 1) : "";
            if (command == "arm") {
                platform.rightClickInterceptor->setArmed(rest == "1");
                say("armed " + rest);
            } else if (command == "keep") {
                keep = rest == "1";
                say("keep " + rest);
            } else if (command == "clip") {
                bool ok = platform.clipboard->clear() && platform.clipboard->setText(unescape(rest));
                say(std::string("clip ") + (ok ? "1" : "0"));
            } else if (command == "send") {
                say("sending " + rest);
                platform.keys->send(rest, reportDone);
            } else if (command == "type") {
                say("typing");
                platform.keys->typeText(unescape(rest), reportDone);
            } else if (command == "focus") {
                const ProgramName program = platform.keys->focusedProgram();
                say("focus instance=" + program.instance + " class=" + program.wmClass);
            } else if (command == "window") {
                window.show();
                say("window " + hex(window.winId()));
            } else if (command == "topmost") {
                platform.placement->makeTopmost(window);
                say("topmost " + hex(window.winId()));
            } else if (command == "tray") {
                platform.tray->show(solidIcon(Qt::blue), QStringLiteral("Double Click To Start Tapfill"));
                say("tray " + std::string(platform.tray->available() ? "available" : "none"));
            } else if (command == "quit") {
                app.quit();
            } else {
                say("unknown " + line);
            }
        }
    });
    say("ready pid=" + std::to_string(::getpid()));
    return app.exec();
}
