#pragma once

class QWidget;

namespace tapfill::platform {

class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    /// Puts the window into the topmost band of the window stack, keeping its
    /// position, size and visibility, without taking the keyboard focus.
    virtual void makeTopmost(QWidget& window) = 0;
};

} // namespace tapfill::platform
