#pragma once
// Qt widgets for a window described in ui/layout: every control made, named,
// placed, coloured and put into the keyboard order as its description says.

#include "ui/layout/WindowLayout.h"

#include <QWidget>

#include <map>
#include <string>

class QButtonGroup;

namespace tapfill::ui {

/// The widgets made for a window's controls, by the names the description
/// gives them.
class BuiltWidgets {
public:
    /// The widget of that name and kind; any other name is a fault of the
    /// program and ends it.
    template <typename Widget>
    Widget* get(const std::string& name) const
    {
        return checked(dynamic_cast<Widget*>(find(name)), name);
    }
    /// The option buttons that stand in `container`, which exclude each
    /// other across all its pages.
    QButtonGroup* group(const std::string& container) const;

    std::map<std::string, QWidget*> widgets;
    std::map<std::string, QButtonGroup*> groups;

private:
    QWidget* find(const std::string& name) const;
    template <typename Widget>
    static Widget* checked(Widget* widget, const std::string& name)
    {
        if (!widget)
            missing(name);
        return widget;
    }
    [[noreturn]] static void missing(const std::string& name);
};

/// Makes `window` and its controls as `layout` describes them.
BuiltWidgets buildWidgets(const layout::WindowLayout& layout, QWidget& window);

} // namespace tapfill::ui
