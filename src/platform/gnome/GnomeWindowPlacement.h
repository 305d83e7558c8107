#pragma once
// A Wayland client can neither stack nor place its own window: the
// extension keeps Tapfill's window above the others, found by its title
// among the windows of Tapfill's process, and puts it, the first time, where
// the program asked it to be (the position kept in the data files).

#include "platform/WindowPlacement.h"

#include <QObject>

#include <QPoint>
#include <QSet>

#include <memory>

namespace tapfill::platform::gnome {

class ShellExtension;

class GnomeWindowPlacement : public QObject, public WindowPlacement {
    Q_OBJECT
public:
    explicit GnomeWindowPlacement(std::shared_ptr<ShellExtension> extension);

    void makeTopmost(QWidget& window) override;

    /// A window just shown reaches the shell a little later; it is looked
    /// for this often, this far apart.
    static constexpr int Tries = 10;
    static constexpr int TryMs = 50;

private:
    void keepAbove(QWidget* window, const QString& title, QPoint place, int triesLeft);

    std::shared_ptr<ShellExtension> extension_;
    /// The windows placed already: from then on the user places them.
    QSet<const QWidget*> placed_;
};

} // namespace tapfill::platform::gnome
