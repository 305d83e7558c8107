#pragma once
// Tapfill's GNOME Shell extension, seen from Tapfill: its D-Bus interface on
// the session bus (io.github.tapfill.Shell1, described in the README). The
// extension does what a Wayland client may not: see clicks and keys in other
// programs, type into them, own the clipboard at any moment, stack and place
// Tapfill's window, and show its icon in the top bar. Every service of the
// GNOME backend shares one of these.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tapfill::platform::gnome {

class ShellExtension : public QObject {
    Q_OBJECT
public:
    /// Registers with the extension as its one client. Nothing, with one
    /// line for the user in `error` that says how to turn it on, when it is
    /// missing, off or refuses this program.
    static std::shared_ptr<ShellExtension> connect(std::string& error);

    /// Calls a method without waiting; `reply`, when given, gets its
    /// answer (nothing on failure) on the event loop. Calls arrive and are
    /// carried out in the order they were made.
    void call(const QString& method, const QVariantList& arguments = {},
              std::function<void(const std::optional<QVariantList>&)> reply = nullptr);
    /// Calls a method and waits for its answer: for questions that must be
    /// answered at once, which the extension answers without delay.
    std::optional<QVariantList> ask(const QString& method, const QVariantList& arguments = {});

signals:
    void leftButtonReleased(bool ownWindow);
    void rightButton(bool pressed);
    void pasteModeKey();
    void indicatorDoubleClicked();
    void indicatorMenuOpening();
    void indicatorMenuItemActivated(int index);
    /// The extension went away (disabled, or the shell restarted).
    void lost();

private:
    explicit ShellExtension(QDBusConnection bus);
    bool subscribe();

    QDBusConnection bus_;
};

} // namespace tapfill::platform::gnome
