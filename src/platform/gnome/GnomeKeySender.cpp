#include "platform/gnome/GnomeKeySender.h"

#include "platform/gnome/PasteClock.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/x11/KeyNotation.h"
#include "platform/x11/KeyboardMap.h"

#include <QDBusArgument>
#include <QDBusMetaType>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace tapfill::platform::gnome {

namespace {
struct Key {
    uint keysym = 0;
    bool down = false;
};
} // namespace
} // namespace tapfill::platform::gnome

Q_DECLARE_METATYPE(tapfill::platform::gnome::Key)

namespace tapfill::platform::gnome {
namespace {

QDBusArgument& operator<<(QDBusArgument& argument, const Key& key)
{
    argument.beginStructure();
    argument << key.keysym << key.down;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Key& key)
{
    argument.beginStructure();
    argument >> key.keysym >> key.down;
    argument.endStructure();
    return argument;
}

/// A keystroke that makes a program paste the clipboard: Ctrl+V,
/// Ctrl+Shift+V (terminals), Shift+Insert.
bool isPasteStroke(const keys::KeyStroke& stroke)
{
    if (stroke.named)
        return stroke.key == keys::NamedKey::Insert && stroke.modifiers == keys::ModShift;
    return (stroke.modifiers & keys::ModControl) && (stroke.character == U'v' || stroke.character == U'V');
}

/// The keysyms of the modifiers the notation holds, in the order pressed.
std::vector<unsigned> modifierKeysyms(unsigned modifiers)
{
    std::vector<unsigned> keysyms;
    if (modifiers & keys::ModControl)
        keysyms.push_back(XKB_KEY_Control_L);
    if (modifiers & keys::ModShift)
        keysyms.push_back(XKB_KEY_Shift_L);
    if (modifiers & keys::ModAlt)
        keysyms.push_back(XKB_KEY_Alt_L);
    return keysyms;
}

} // namespace

GnomeKeySender::GnomeKeySender(std::shared_ptr<ShellExtension> extension, std::shared_ptr<PasteClock> pasteClock)
    : extension_(std::move(extension)), pasteClock_(std::move(pasteClock))
{
    qDBusRegisterMetaType<Key>();
    qDBusRegisterMetaType<QList<Key>>();
}

std::optional<std::vector<std::pair<unsigned, bool>>> GnomeKeySender::plan(const std::string& notation, bool text,
                                                                            bool& paste)
{
    const auto strokes = text ? keys::textKeyStrokes(notation) : keys::parseKeyNotation(notation);
    if (!strokes)
        return std::nullopt;
    paste = false;
    std::vector<std::pair<unsigned, bool>> planned;
    for (const keys::KeyStroke& stroke : *strokes) {
        unsigned keysym = 0;
        if (stroke.named) {
            keysym = static_cast<unsigned>(keys::keysymOf(stroke.key));
        } else {
            const auto candidates = x11::KeyboardMap::keysymsForCharacter(stroke.character);
            if (candidates.empty())
                return std::nullopt;
            keysym = static_cast<unsigned>(candidates.front());
        }
        paste = paste || isPasteStroke(stroke);
        const auto modifiers = modifierKeysyms(stroke.modifiers);
        for (unsigned modifier : modifiers)
            planned.emplace_back(modifier, true);
        planned.emplace_back(keysym, true);
        planned.emplace_back(keysym, false);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
            planned.emplace_back(*it, false);
    }
    return planned;
}

void GnomeKeySender::send(const std::string& keys, Done done)
{
    bool paste = false;
    auto planned = plan(keys, false, paste);
    if (!planned) {
        done(SendResult{SendResult::Outcome::NotTyped, "\"" + keys + "\" is no key Tapfill can type"});
        return;
    }
    type(std::move(*planned), paste, std::move(done));
}

void GnomeKeySender::typeText(const std::string& text, Done done)
{
    bool paste = false;
    auto planned = plan(text, true, paste);
    if (!planned) {
        done(SendResult{SendResult::Outcome::NotTyped, "the field holds a character no key types; nothing was typed"});
        return;
    }
    type(std::move(*planned), false, std::move(done));
}

void GnomeKeySender::type(std::vector<std::pair<unsigned, bool>> keys, bool paste, Done done)
{
    QList<Key> list;
    for (const auto& [keysym, down] : keys)
        list.append(Key{keysym, down});
    extension_->call(QStringLiteral("SendKeys"), {QVariant::fromValue(list)},
                     [this, paste, done = std::move(done)](const std::optional<QVariantList>& reply) {
                         if (!reply || reply->isEmpty()) {
                             done(SendResult{SendResult::Outcome::NotTyped,
                                             "GNOME Shell did not take the keys"});
                             return;
                         }
                         const QString refusal = reply->constFirst().toString();
                         if (!refusal.isEmpty()) {
                             done(SendResult{SendResult::Outcome::NotTyped, refusal.toStdString()});
                             return;
                         }
                         if (paste)
                             pasteClock_->pasteSent(focusedProcess_);
                         done(SendResult{});
                     });
}

ProgramName GnomeKeySender::focusedProgram()
{
    const auto reply = extension_->ask(QStringLiteral("FocusedProgram"));
    if (!reply || reply->size() < 4)
        return {};
    const std::string appId = reply->at(0).toString().toStdString();
    const std::string wmClass = reply->at(1).toString().toStdString();
    const std::string instance = reply->at(2).toString().toStdString();
    focusedProcess_ = reply->at(3).toLongLong();
    // A Wayland window has only its application id; an X11 one its WM_CLASS.
    return ProgramName{instance.empty() ? appId : instance, wmClass.empty() ? appId : wmClass, focusedProcess_};
}

} // namespace tapfill::platform::gnome
