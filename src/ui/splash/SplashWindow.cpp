#include "ui/splash/SplashWindow.h"

#include "ui/layout/Version.h"
#include "ui/main/Icons.h"
#include "ui/main/Twips.h"

#include <QFrame>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace tapfill::ui {

namespace {

const QColor SplashGreen(0, 192, 0);
const QColor FrameGreen(0, 128, 0);
/// Right edge of the text column inside the frame, in twips.
constexpr int RightMargin = 6975;

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

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
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(twipsToPixels(*this, 7380), twipsToPixels(*this, 4245));
    fillBackground(this, SplashGreen);

    frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(*this, 120, 120, 7200, 4050));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fillBackground(frame, FrameGreen);
    frame->installEventFilter(this);

    auto label = [this](const QString& name, const QFont& font) {
        auto* label = new QLabel(frame);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(palette);
        // Only the frame's own surface closes the splash.
        label->setAttribute(Qt::WA_NoMousePropagation);
        return label;
    };

    logo = label(QStringLiteral("imgLogo"), font());
    logo->setGeometry(twipsRect(*this, 360, 795, 1815, 2385));
    logo->setScaledContents(true);
    logo->setPixmap(logoPicture());

    productName = label(QStringLiteral("lblProductName"), arial(26.25, true));
    platformLabel = label(QStringLiteral("lblPlatform"), arial(15.75, true));
    platformLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    platformLabel->setText(QStringLiteral("Platform"));
    versionLabel = label(QStringLiteral("lblVersion"), arial(12, true));
    versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    copyrightLabel = label(QStringLiteral("lblCopyright"), arial(8.25, false));
    copyrightLabel->setGeometry(twipsRect(*this, 4080, 2880, 2895, 255));
    copyrightLabel->setText(QStringLiteral("Copyright \u00A9 2026 Tapfill developers"));
    companyLabel = label(QStringLiteral("lblCompany"), arial(8.25, false));
    companyLabel->setGeometry(twipsRect(*this, 4080, 3120, 2895, 255));
    companyLabel->setText(QStringLiteral("Tapfill developers"));
    warningLabel = label(QStringLiteral("lblWarning"), arial(8.25, false));
    warningLabel->setGeometry(twipsRect(*this, 120, 3420, 6855, 435));
    warningLabel->setWordWrap(true);
    warningLabel->setText(QStringLiteral(
        "Warning: Tapfill types the texts you store into other programs, as if you typed them.\n"
        "You are responsible for what it pastes, and where."));
    // Faces with a wider line spacing than Arial's need a little more room.
    warningLabel->resize(warningLabel->width(),
                       std::max(warningLabel->height(), warningLabel->heightForWidth(warningLabel->width())));

    handOverTimer = new QTimer(this);
    handOverTimer->setInterval(2000);
    latestHandOverTimer = new QTimer(this);
    latestHandOverTimer->setInterval(7500);
    connect(handOverTimer, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);
    connect(latestHandOverTimer, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);

    showVersion();

    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::showVersion()
{
    productName->setText(QLatin1String(ApplicationTitle));
    productName->adjustSize();
    productName->move(twipsToPixels(*this, 2520), twipsToPixels(*this, 840));

    versionLabel->setText(
        QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    // Right-aligned labels grow to the left, so a longer version text stays
    // inside the frame.
    const int right = twipsToPixels(*this, RightMargin);
    for (auto [label, top] : {std::pair{platformLabel, 2160}, std::pair{versionLabel, 2520}}) {
        label->adjustSize();
        label->move(right - label->width(), twipsToPixels(*this, top));
    }

    latestHandOverTimer->start();
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
