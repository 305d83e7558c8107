#include "platform/gnome/ShellExtension.h"

#include "platform/gnome/GnomePlatform.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace tapfill::platform::gnome {

namespace {
const QString Service = QStringLiteral("io.github.tapfill.Shell");
const QString Path = QStringLiteral("/io/github/tapfill/Shell");
const QString Interface = QStringLiteral("io.github.tapfill.Shell1");
constexpr int CallTimeoutMs = 2000;

/// GNOME Shell's numbers for an extension's state.
enum ExtensionState { Enabled = 1, Disabled = 2, Error = 3, OutOfDate = 4, Initialized = 6 };

/// The extension's state and error as GNOME Shell reports them.
int extensionState(QDBusConnection& bus, std::string& shellError)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
        QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"));
    message << QString::fromLatin1(ExtensionUuid);
    const QDBusMessage reply = bus.call(message, QDBus::Block, CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    const QVariantMap info = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
    if (info.isEmpty())
        return -1;
    shellError = info.value(QStringLiteral("error")).toString().toStdString();
    return info.value(QStringLiteral("state"), -1).toInt();
}
} // namespace

std::string extensionMissingMessage(int state, const std::string& shellError)
{
    const std::string enable = std::string("gnome-extensions enable ") + ExtensionUuid;
    switch (state) {
    case -1:
        return std::string("Tapfill needs its GNOME Shell extension, and GNOME Shell has not found it. "
                           "Install the tapfill package (it puts the extension into "
                           "/usr/share/gnome-shell/extensions), log out and in again, then turn it on: ")
               + enable;
    case Error:
    case OutOfDate:
        return "Tapfill's GNOME Shell extension could not be started"
               + (shellError.empty() ? std::string() : " (" + shellError + ")")
               + ". Log out and in again, then turn it on: " + enable;
    default:
        return "Tapfill needs its GNOME Shell extension, which is turned off. Turn it on with\n    " + enable
               + "\n(or in the Extensions app), then start Tapfill again.";
    }
}

ShellExtension::ShellExtension(QDBusConnection bus) : bus_(std::move(bus)) {}

std::shared_ptr<ShellExtension> ShellExtension::connect(std::string& error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        error = "Tapfill cannot reach the session bus, through which it talks to GNOME Shell: "
                + bus.lastError().message().toStdString();
        return nullptr;
    }
    std::shared_ptr<ShellExtension> extension(new ShellExtension(bus));
    // Signals first, so that none is missed between registering and listening.
    if (!extension->subscribe()) {
        error = "Tapfill cannot listen to its GNOME Shell extension on the session bus.";
        return nullptr;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Register"));
    const QDBusMessage reply = bus.call(message, QDBus::Block, CallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return extension;
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.AccessDenied")) {
        error = "Tapfill's GNOME Shell extension serves only the program installed as tapfill, "
                "and refused this one: " + reply.errorMessage().toStdString();
        return nullptr;
    }
    std::string shellError;
    error = extensionMissingMessage(extensionState(bus, shellError), shellError);
    return nullptr;
}

bool ShellExtension::subscribe()
{
    struct Subscription {
        const char* name;
        const char* slot;
    };
    // Qt's string-based connections are the ones QtDBus offers for signals.
    const Subscription subscriptions[] = {
        {"LeftButtonReleased", SIGNAL(leftButtonReleased(bool))},
        {"RightButton", SIGNAL(rightButton(bool))},
        {"PasteModeKey", SIGNAL(pasteModeKey())},
        {"IndicatorDoubleClicked", SIGNAL(indicatorDoubleClicked())},
        {"IndicatorMenuOpening", SIGNAL(indicatorMenuOpening())},
        {"IndicatorMenuItemActivated", SIGNAL(indicatorMenuItemActivated(int))},
    };
    for (const auto& subscription : subscriptions)
        if (!bus_.connect(Service, Path, Interface, QLatin1String(subscription.name), this, subscription.slot))
            return false;
    auto* watcher = new QDBusServiceWatcher(Service, bus_, QDBusServiceWatcher::WatchForUnregistration, this);
    QObject::connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &ShellExtension::lost);
    return true;
}

void ShellExtension::call(const QString& method, const QVariantList& arguments,
                          std::function<void(const std::optional<QVariantList>&)> reply)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    message.setArguments(arguments);
    if (!reply) {
        message.setAutoStartService(false);
        bus_.asyncCall(message, CallTimeoutMs);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, CallTimeoutMs), this);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, this,
                     [reply = std::move(reply)](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         const QDBusMessage answer = call->reply();
                         if (answer.type() == QDBusMessage::ReplyMessage)
                             reply(answer.arguments());
                         else
                             reply(std::nullopt);
                     });
}

std::optional<QVariantList> ShellExtension::ask(const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return std::nullopt;
    return reply.arguments();
}

} // namespace tapfill::platform::gnome
