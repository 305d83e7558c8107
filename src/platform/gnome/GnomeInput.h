#pragma once
// Clicks and the paste mode key in other programs, as the extension reports
// them: left releases from its pointer poll (asked for only while they are
// of use), right clicks from the shield it lays over the screen in paste
// mode, which keeps them from the windows below.

#include "platform/MessageHook.h"
#include "platform/WindowInterceptor.h"

#include <QObject>

#include <memory>

namespace tapfill::platform::gnome {

class ShellExtension;

class GnomeMessageHook : public QObject, public MessageHook {
    Q_OBJECT
public:
    explicit GnomeMessageHook(std::shared_ptr<ShellExtension> extension);

    void watch(std::vector<MouseMessage> messages, WatchedKey key) override;
    void setPasteModeKey(const KeyChord& key) override;
    void setMouseReportsWanted(bool wanted) override;

    /// The GTK accelerator the shell grabs for `key` ("<Control>F9").
    static std::string accelerator(const KeyChord& key);

private:
    std::shared_ptr<ShellExtension> extension_;
    bool leftReleases_ = false;
};

/// The shell's shield keeps every right click while it is up, and it is up
/// exactly while interception is armed (paste mode); a click the owner
/// would let pass is kept all the same, since the shield cannot give a
/// right click back to its window.
class GnomeWindowInterceptor : public QObject, public WindowInterceptor {
    Q_OBJECT
public:
    explicit GnomeWindowInterceptor(std::shared_ptr<ShellExtension> extension);

    void watch(std::vector<MouseMessage> messages) override;
    void setTargetWindow(WindowId window) override { target_ = window; }
    WindowId targetWindow() const override { return target_; }
    void setArmed(bool armed) override;

private:
    std::shared_ptr<ShellExtension> extension_;
    WindowId target_ = 0;
    bool armed_ = false;
};

} // namespace tapfill::platform::gnome
