#include "platform/gnome/GnomeIndicator.h"

#include "platform/gnome/ShellExtension.h"

#include <QAction>
#include <QBuffer>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QMenu>
#include <QTimer>

namespace tapfill::platform::gnome {

namespace {
struct MenuItem {
    QString label; // empty for a separator
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
};
} // namespace
} // namespace tapfill::platform::gnome

Q_DECLARE_METATYPE(tapfill::platform::gnome::MenuItem)

namespace tapfill::platform::gnome {
namespace {

QDBusArgument& operator<<(QDBusArgument& argument, const MenuItem& item)
{
    argument.beginStructure();
    argument << item.label << item.checkable << item.checked << item.enabled;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, MenuItem& item)
{
    argument.beginStructure();
    argument >> item.label >> item.checkable >> item.checked >> item.enabled;
    argument.endStructure();
    return argument;
}

/// The icon as a PNG of the size the top bar shows, doubled for sharp
/// screens.
QByteArray pngOf(const QIcon& icon)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.pixmap(32, 32).save(&buffer, "PNG");
    return bytes;
}

} // namespace

GnomeIndicator::GnomeIndicator(std::shared_ptr<ShellExtension> extension) : extension_(std::move(extension))
{
    qDBusRegisterMetaType<MenuItem>();
    qDBusRegisterMetaType<QList<MenuItem>>();
    connect(extension_.get(), &ShellExtension::indicatorDoubleClicked, this, [this] {
        if (onDoubleClick)
            onDoubleClick();
    });
    // The menu brings its check marks up to date as it opens.
    connect(extension_.get(), &ShellExtension::indicatorMenuOpening, this, [this] {
        if (menu_)
            emit menu_->aboutToShow();
    });
    connect(extension_.get(), &ShellExtension::indicatorMenuItemActivated, this, [this](int index) {
        if (!menu_)
            return;
        const auto actions = menu_->actions();
        if (index >= 0 && index < actions.size() && actions[index]->isEnabled() && !actions[index]->isSeparator())
            actions[index]->trigger();
    });
}

void GnomeIndicator::show(const QIcon& icon, const QString& tip)
{
    extension_->call(QStringLiteral("ShowIndicator"), {pngOf(icon), tip});
}

void GnomeIndicator::remove()
{
    extension_->call(QStringLiteral("RemoveIndicator"));
}

void GnomeIndicator::setMenu(QMenu* menu)
{
    if (menu_)
        disconnect(menu_, nullptr, this, nullptr);
    menu_ = menu;
    if (menu_) {
        for (QAction* action : menu_->actions())
            connect(action, &QAction::changed, this, &GnomeIndicator::sendMenu);
    }
    sendMenu();
}

void GnomeIndicator::sendMenu()
{
    // Several actions change at once (a refresh): one message for all.
    if (menuQueued_)
        return;
    menuQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        menuQueued_ = false;
        QList<MenuItem> items;
        if (menu_)
            for (const QAction* action : menu_->actions())
                items.append(action->isSeparator() ? MenuItem{}
                                                   : MenuItem{action->text(), action->isCheckable(),
                                                              action->isChecked(), action->isEnabled()});
        extension_->call(QStringLiteral("SetIndicatorMenu"), {QVariant::fromValue(items)});
    });
}

void GnomeIndicator::showMessage(const QString& title, const QString& text)
{
    extension_->call(QStringLiteral("ShowMessage"), {title, text});
}

} // namespace tapfill::platform::gnome
