#pragma once
// A Wayland client can neither stack nor place its own windows: the
// extension does it, finding a window by its title among those of Tapfill's
// process. Each time one of Tapfill's windows is shown it goes where the
// program put it (QWidget::move, the position in the data files for the
// main window); each time one is hidden, where the user left it becomes
// its position again, so that it comes back there and SAVE keeps it.

#include "platform/WindowPlacement.h"

#include <QObject>
#include <QPoint>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Asks `method` about the window of `title` until the shell has it.
    void untilFound(const QString& method, QVariantList arguments, int triesLeft);

    std::shared_ptr<ShellExtension> extension_;
};

} // namespace tapfill::platform::gnome
