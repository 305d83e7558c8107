#include "ui/main/Icons.h"

#include <mutex>

// The pictures are compiled into a static library, where nothing else would
// pull their registration into the program: register them on first use.
static void registerPictures()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(tapfill); });
}

namespace tapfill::ui {

namespace {
QIcon twoSizes(const char* name)
{
    registerPictures();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1-32.png").arg(QLatin1String(name)), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/%1-16.png").arg(QLatin1String(name)), QSize(16, 16));
    return icon;
}
} // namespace

QIcon idleIcon()
{
    return twoSizes("idle");
}

QIcon activeIcon()
{
    return twoSizes("active");
}

QPixmap logoPicture()
{
    registerPictures();
    return QPixmap(QStringLiteral(":/images/logo.png"));
}

} // namespace tapfill::ui
