#include "ui/splash/SplashWindow.h"

#include "ui/layout/WindowLayout.h"
#include "ui/main/WidgetBuilder.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace tapfill::ui {

namespace {

/// Letters, digits, punctuation and the keys that type a control character.
bool producesCharacter(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return true;
    case Qt::Key_Delete:
        return false;
    default:
        return !event->text().isEmpty();
    }
}

} // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint)
{
    const BuiltWidgets built = buildWidgets(layout::splashWindowLayout(), *this);
    frame = built.get<QFrame>("Frame1");
    logo = built.get<QLabel>("imgLogo");
    productName = built.get<QLabel>("lblProductName");
    platformLabel = built.get<QLabel>("lblPlatform");
    versionLabel = built.get<QLabel>("lblVersion");
    copyrightLabel = built.get<QLabel>("lblCopyright");
    companyLabel = built.get<QLabel>("lblCompany");
    warningLabel = built.get<QLabel>("lblWarning");
    // Only the frame's own surface closes the splash.
    frame->installEventFilter(this);
    for (QLabel* label : frame->findChildren<QLabel*>())
        label->setAttribute(Qt::WA_NoMousePropagation);

    handOverTimer = new QTimer(this);
    handOverTimer->setInterval(2000);
    latestHandOverTimer = new QTimer(this);
    latestHandOverTimer->setInterval(7500);
    connect(handOverTimer, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);
    connect(latestHandOverTimer, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);
    latestHandOverTimer->start();

    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::onActivated()
{
    if (!closing_ && !handOverTimer->isActive())
        handOverTimer->start();
}

void SplashWindow::closeAndLoadMain()
{
    if (closing_)
        return;
    closing_ = true;
    handOverTimer->stop();
    latestHandOverTimer->stop();
    hide();
    deleteLater();
    emit finished();
}

bool SplashWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        onActivated();
    return QWidget::event(event);
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // Closed by the window manager (Alt+F4): hand over all the same, or the
    // program would run on with no window and no tray icon.
    closeAndLoadMain();
    QWidget::closeEvent(event);
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    if (producesCharacter(event))
        closeAndLoadMain();
    else
        QWidget::keyPressEvent(event);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A click: released over the frame it was pressed on. Presses on the
    // logo and the labels never reach the frame.
    if (watched == frame && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (frame->rect().contains(mouse->position().toPoint())) {
            closeAndLoadMain();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tapfill::ui
