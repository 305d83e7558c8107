#include "platform/gnome/GnomeClipboard.h"

#include "platform/gnome/PasteClock.h"
#include "platform/gnome/ShellExtension.h"

namespace tapfill::platform::gnome {

GnomeClipboard::GnomeClipboard(std::shared_ptr<ShellExtension> extension, std::shared_ptr<PasteClock> pasteClock)
    : extension_(std::move(extension)), pasteClock_(std::move(pasteClock))
{
    giveBackTimer_.setSingleShot(true);
    assumedReadTimer_.setSingleShot(true);
    assumedReadTimer_.setInterval(PasteClock::SettleMs);
    connect(&assumedReadTimer_, &QTimer::timeout, this, [this] {
        if (onTextRead)
            onTextRead(ClipboardRead{reader_, true});
    });
    pasteClock_->onPasteSent = [this](long processId) {
        reader_ = processId;
        assumedReadTimer_.start();
    };
    connect(&giveBackTimer_, &QTimer::timeout, this,
            [this] { extension_->call(QStringLiteral("GiveClipboardBack")); });
}

bool GnomeClipboard::clear()
{
    giveBackTimer_.stop(); // a new paste: what is kept stays kept for it
    extension_->call(QStringLiteral("ClearClipboard"));
    return true;
}

bool GnomeClipboard::setText(const std::string& utf8)
{
    giveBackTimer_.stop();
    extension_->call(QStringLiteral("SetClipboardText"), {QString::fromStdString(utf8)});
    return true;
}

void GnomeClipboard::keep(std::function<void()> ready)
{
    giveBackTimer_.stop();
    extension_->call(QStringLiteral("KeepClipboard"), {},
                     [ready = std::move(ready)](const std::optional<QVariantList>&) { ready(); });
}

void GnomeClipboard::giveBack()
{
    giveBackTimer_.start(pasteClock_->holdLeftMs());
}

} // namespace tapfill::platform::gnome
