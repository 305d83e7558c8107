#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace tapfill::platform::qt {

bool QtClipboard::clear()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->clear(QClipboard::Clipboard);
    return true;
}

bool QtClipboard::setText(const std::string& utf8)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                       QClipboard::Clipboard);
    // On X11 taking the selection can fail (the server refuses the owner
    // change); Qt then only warns, so ask whether the text is really ours.
    // Other platforms copy the text at once and do not track ownership.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return clipboard->ownsClipboard();
    return true;
}

} // namespace tapfill::platform::qt
