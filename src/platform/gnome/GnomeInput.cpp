#include "platform/gnome/GnomeInput.h"

#include "platform/gnome/ShellExtension.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>

namespace tapfill::platform::gnome {

GnomeMessageHook::GnomeMessageHook(std::shared_ptr<ShellExtension> extension) : extension_(std::move(extension)) {}

void GnomeMessageHook::watch(std::vector<MouseMessage> messages, WatchedKey key)
{
    auto watched = [&](MouseMessage message) {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    };
    if (watched(MouseMessage::LeftButtonUp)) {
        leftReleases_ = true;
        connect(extension_.get(), &ShellExtension::leftButtonReleased, this, [this](bool ownWindow) {
            if (onMouse)
                onMouse(HookedMessage{MouseMessage::LeftButtonUp, 0, ownWindow});
        });
    }
    if (watched(MouseMessage::RightButtonDown) || watched(MouseMessage::RightButtonUp)) {
        connect(extension_.get(), &ShellExtension::rightButton, this, [this, watched](bool pressed) {
            const MouseMessage message = pressed ? MouseMessage::RightButtonDown : MouseMessage::RightButtonUp;
            if (onMouse && watched(message))
                onMouse(HookedMessage{message, 0, false});
        });
    }
    if (key == WatchedKey::PasteModeKey) {
        connect(extension_.get(), &ShellExtension::pasteModeKey, this, [this] {
            if (onKey)
                onKey();
        });
        setPasteModeKey(KeyChord{});
    }
}

std::string GnomeMessageHook::accelerator(const KeyChord& key)
{
    std::string text;
    if (key.ctrl)
        text += "<Control>";
    if (key.alt)
        text += "<Alt>";
    if (key.shift)
        text += "<Shift>";
    if (key.super)
        text += "<Super>";
    return text + key.keysym;
}

void GnomeMessageHook::setPasteModeKey(const KeyChord& key)
{
    const xkb_keysym_t keysym = xkb_keysym_from_name(key.keysym.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (keysym == XKB_KEY_NoSymbol)
        return;
    extension_->call(QStringLiteral("SetPasteModeKey"),
                     {QString::fromStdString(accelerator(key)), static_cast<uint>(keysym)});
}

void GnomeMessageHook::setMouseReportsWanted(bool wanted)
{
    if (leftReleases_)
        extension_->call(QStringLiteral("SetLeftReleaseReports"), {wanted});
}

GnomeWindowInterceptor::GnomeWindowInterceptor(std::shared_ptr<ShellExtension> extension)
    : extension_(std::move(extension))
{
}

void GnomeWindowInterceptor::watch(std::vector<MouseMessage>)
{
    connect(extension_.get(), &ShellExtension::rightButton, this, [this](bool pressed) {
        if (!armed_ || !onIntercepted)
            return;
        bool keep = false;
        onIntercepted(pressed ? MouseMessage::RightButtonDown : MouseMessage::RightButtonUp, keep);
    });
}

void GnomeWindowInterceptor::setArmed(bool armed)
{
    armed_ = armed;
    extension_->call(QStringLiteral("SetPasteMode"), {armed});
}

} // namespace tapfill::platform::gnome
