#pragma once
// The clipboard through the extension, which owns it for the shell. It
// holds one format at a time: the field as UTF-8 text, and of the user's
// own content the one format given back (text when there is text). Reads
// cannot be seen: one by the focused program is reported a moment after
// each paste's keys (PasteClock).

#include "platform/Clipboard.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace tapfill::platform::gnome {

class ShellExtension;
class PasteClock;

class GnomeClipboard : public QObject, public Clipboard {
    Q_OBJECT
public:
    GnomeClipboard(std::shared_ptr<ShellExtension> extension, std::shared_ptr<PasteClock> pasteClock);

    bool clear() override;
    bool setText(const std::string& utf8) override;
    void keep(std::function<void()> ready) override;
    /// Waits, when the last paste went out only just now, until the program
    /// has surely read the field.
    void giveBack() override;

private:
    std::shared_ptr<ShellExtension> extension_;
    std::shared_ptr<PasteClock> pasteClock_;
    QTimer giveBackTimer_;
    QTimer assumedReadTimer_;
    long reader_ = 0;
};

} // namespace tapfill::platform::gnome
