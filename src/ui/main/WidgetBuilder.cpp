#include "ui/main/WidgetBuilder.h"

#include "ui/main/Icons.h"
#include "ui/main/OneLine.h"
#include "ui/main/TabStrip.h"
#include "ui/main/Twips.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace tapfill::ui {

using layout::Kind;
using layout::Picture;

namespace {

/// A check box whose caption wraps onto a second line when the box is too
/// narrow for it, as "Auto Carriage Return (ENTER)" needs.
class WrappingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_CheckBox, option);
        const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
        painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                             isEnabled(), caption, QPalette::WindowText);
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor qtColour(const layout::Colour& colour, const QWidget& window)
{
    if (colour.buttonFace)
        return window.palette().color(QPalette::Button);
    return {colour.red, colour.green, colour.blue};
}

/// The face of the dialog font, or where it is missing one as narrow, so that
/// every caption fits its control. A desktop with neither keeps its own.
QFont dialogFace()
{
    QFont font = QApplication::font();
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"MS Sans Serif", "DejaVu Sans Condensed", "Liberation Sans Narrow"}) {
        if (installed.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            break;
        }
    }
    return font;
}

QFont qtFont(const layout::Font& wanted)
{
    QFont font = wanted.family == layout::DialogFontFamily ? dialogFace() : QFont(qt(wanted.family));
    font.setPointSizeF(wanted.points);
    if (wanted.bold)
        font.setBold(true);
    return font;
}

QPixmap pixmap(Picture picture)
{
    switch (picture) {
    case Picture::IdleIcon: return idleIcon().pixmap(32, 32);
    case Picture::ActiveIcon: return activeIcon().pixmap(32, 32);
    case Picture::Logo: return logoPicture();
    case Picture::None: break;
    }
    return {};
}

QIcon windowIcon(Picture picture)
{
    switch (picture) {
    case Picture::IdleIcon: return idleIcon();
    case Picture::ActiveIcon: return activeIcon();
    case Picture::Logo: return QIcon(logoPicture());
    case Picture::None: break;
    }
    // A window without an icon of its own would take its owner's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

QCursor pointer(Picture picture)
{
    // The active icon's pointer has its tip here.
    if (picture == Picture::ActiveIcon)
        return QCursor(pixmap(picture), 17, 13);
    return QCursor(pixmap(picture));
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    setColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

Qt::Alignment qtAlignment(layout::Align align)
{
    switch (align) {
    case layout::Align::MiddleRight: return Qt::AlignRight | Qt::AlignVCenter;
    case layout::Align::TopLeft: return Qt::AlignLeft | Qt::AlignTop;
    case layout::Align::MiddleLeft: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QLabel* makeLabel(const layout::Control& control, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(qt(control.caption));
    label->setWordWrap(control.wordWrap);
    label->setAlignment(qtAlignment(control.align));
    if (control.picture != Picture::None) {
        label->setPixmap(pixmap(control.picture));
        label->setScaledContents(true);
    }
    if (control.pointer != Picture::None)
        label->setCursor(pointer(control.pointer));
    return label;
}

QWidget* make(const layout::Control& control, QWidget* parent)
{
    switch (control.kind) {
    case Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return frame;
    }
    case Kind::TabStrip: {
        QStringList captions;
        for (const std::string& caption : control.pages)
            captions.push_back(qt(caption));
        auto* strip = new TabStrip(captions, parent);
        strip->setCurrentIndex(control.startPage);
        return strip;
    }
    case Kind::OptionButton: return new QRadioButton(qt(control.caption), parent);
    case Kind::CheckBox:
        if (control.wordWrap)
            return new WrappingCheckBox(qt(control.caption), parent);
        return new QCheckBox(qt(control.caption), parent);
    case Kind::TextBox: {
        auto* edit = new QLineEdit(parent);
        keepOnOneLine(edit);
        return edit;
    }
    case Kind::MultiLineTextBox: {
        auto* box = new QPlainTextEdit(parent);
        const auto bars = control.scrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        box->setHorizontalScrollBarPolicy(bars);
        box->setVerticalScrollBarPolicy(bars);
        box->setTabChangesFocus(true); // Tab walks on to the next control
        return box;
    }
    case Kind::Button: return new QPushButton(qt(control.caption), parent);
    case Kind::Label:
    case Kind::Image: break;
    }
    return makeLabel(control, parent);
}

/// Sizes a label to its caption, keeping the edge the description fixes.
void sizeToCaption(QLabel* label, const layout::Control& control, const QWidget& window)
{
    label->adjustSize();
    const int top = twipsToPixels(window, control.place.top);
    if (control.align == layout::Align::MiddleRight)
        label->move(twipsToPixels(window, control.place.left + control.place.width) - label->width(), top);
    else
        label->move(twipsToPixels(window, control.place.left), top);
}

/// The widget that takes the keyboard focus for a control, if it takes any.
QWidget* focusTaker(const layout::Control& control, QWidget* widget)
{
    switch (control.kind) {
    case Kind::TabStrip: return static_cast<TabStrip*>(widget)->tabBar();
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::TextBox:
    case Kind::MultiLineTextBox:
    case Kind::Button: return widget;
    case Kind::Frame:
    case Kind::Label:
    case Kind::Image: break;
    }
    return nullptr;
}

} // namespace

QWidget* BuiltWidgets::find(const std::string& name) const
{
    const auto found = widgets.find(name);
    return found == widgets.end() ? nullptr : found->second;
}

QButtonGroup* BuiltWidgets::group(const std::string& container) const
{
    const auto found = groups.find(container);
    return checked(found == groups.end() ? nullptr : found->second, container);
}

void BuiltWidgets::missing(const std::string& name)
{
    qFatal("the window description has no control \"%s\" of that kind", name.c_str());
}

BuiltWidgets buildWidgets(const layout::WindowLayout& layout, QWidget& window)
{
    window.setObjectName(qt(layout.name));
    window.setWindowTitle(qt(layout.caption));
    window.setWindowIcon(windowIcon(layout.icon));
    if (layout.font)
        window.setFont(qtFont(*layout.font));
    window.setFixedSize(twipsToPixels(window, layout.width), twipsToPixels(window, layout.height));
    if (layout.background)
        fillBackground(&window, qtColour(*layout.background, window));

    BuiltWidgets built;
    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const layout::Control& control : layout.controls) {
        QWidget* parent = &window;
        if (!control.container.empty()) {
            parent = built.get<QWidget>(control.container);
            if (auto* strip = dynamic_cast<TabStrip*>(parent))
                parent = strip->page(control.page);
        }
        QWidget* widget = make(control, parent);
        widget->setObjectName(qt(control.name));
        if (control.font)
            widget->setFont(qtFont(*control.font));
        const layout::Rect& place = control.place;
        widget->setGeometry(twipsRect(window, place.left, place.top, place.width, place.height));
        if (control.background) {
            const QColor colour = qtColour(*control.background, window);
            if (control.kind == Kind::TextBox || control.kind == Kind::MultiLineTextBox)
                setColour(widget, QPalette::Base, colour);
            else
                fillBackground(widget, colour);
        }
        if (control.textColour)
            setColour(widget, QPalette::WindowText, qtColour(*control.textColour, window));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (control.sizedToCaption)
                sizeToCaption(label, control, window);
            // Faces with a wider line spacing than the one laid out for need
            // a little more room.
            if (control.wordWrap)
                label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
        }
        if (auto* button = qobject_cast<QRadioButton*>(widget)) {
            QButtonGroup*& group = built.groups[control.container];
            if (!group)
                group = new QButtonGroup(&window);
            group->addButton(button);
        }
        if (!control.visible)
            widget->hide();
        QWidget* focus = focusTaker(control, widget);
        if (focus && control.tabIndex >= 0)
            focusOrder.emplace_back(control.tabIndex, focus);
        built.widgets[control.name] = widget;
    }

    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    return built;
}

} // namespace tapfill::ui
