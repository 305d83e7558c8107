#pragma once
// Keystrokes typed by the extension's virtual keyboard into whichever window
// has the focus. The shell types keysyms: it finds the key of the current
// layout and the modifiers of its level. It cannot tell Tapfill when a
// program has read a paste: the paste clock stands in for that.

#include "platform/KeySender.h"

#include <QObject>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tapfill::platform::gnome {

class ShellExtension;
class PasteClock;

class GnomeKeySender : public QObject, public KeySender {
    Q_OBJECT
public:
    GnomeKeySender(std::shared_ptr<ShellExtension> extension, std::shared_ptr<PasteClock> pasteClock);

    void send(const std::string& keys, Done done) override;
    void typeText(const std::string& text, Done done) override;
    ProgramName focusedProgram() override;

    /// Keysyms with down (true) or up, for the keystrokes of `notation`;
    /// nothing when it is no valid notation or names a character that has
    /// no keysym. `paste` tells whether one of them makes a program paste.
    static std::optional<std::vector<std::pair<unsigned, bool>>> plan(const std::string& notation, bool text,
                                                                       bool& paste);

private:
    void type(std::vector<std::pair<unsigned, bool>> keys, bool paste, Done done);

    std::shared_ptr<ShellExtension> extension_;
    std::shared_ptr<PasteClock> pasteClock_;
    /// The process of the last focused program asked for, where the keys go.
    long focusedProcess_ = 0;
};

} // namespace tapfill::platform::gnome
