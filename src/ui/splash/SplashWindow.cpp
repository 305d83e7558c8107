#include "ui/splash/SplashWindow.h"

#include "app/Version.h"
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

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(*this, 120, 120, 7200, 4050));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fillBackground(Frame1, FrameGreen);
    Frame1->installEventFilter(this);

    auto label = [this](const QString& name, const QFont& font) {
        auto* label = new QLabel(Frame1);
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

    imgLogo = label(QStringLiteral("imgLogo"), font());
    imgLogo->setGeometry(twipsRect(*this, 360, 795, 1815, 2385));
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(logoPicture());

    lblProductName = label(QStringLiteral("lblProductName"), arial(26.25, true));
    lblPlatform = label(QStringLiteral("lblPlatform"), arial(15.75, true));
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPlatform->setText(QStringLiteral("Platform"));
    lblVersion = label(QStringLiteral("lblVersion"), arial(12, true));
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCopyright = label(QStringLiteral("lblCopyright"), arial(8.25, false));
    lblCopyright->setGeometry(twipsRect(*this, 4080, 2880, 2895, 255));
    lblCopyright->setText(QStringLiteral("Copyright \u00A9 2026 Tapfill developers"));
    lblCompany = label(QStringLiteral("lblCompany"), arial(8.25, false));
    lblCompany->setGeometry(twipsRect(*this, 4080, 3120, 2895, 255));
    lblCompany->setText(QStringLiteral("Tapfill developers"));
    lblWarning = label(QStringLiteral("lblWarning"), arial(8.25, false));
    lblWarning->setGeometry(twipsRect(*this, 120, 3420, 6855, 435));
    lblWarning->setWordWrap(true);
    lblWarning->setText(QStringLiteral(
        "Warning: Tapfill types the texts you store into other programs, as if you typed them.\n"
        "You are responsible for what it pastes, and where."));
    // Faces with a wider line spacing than Arial's need a little more room.
    lblWarning->resize(lblWarning->width(),
                       std::max(lblWarning->height(), lblWarning->heightForWidth(lblWarning->width())));

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(7500);
    connect(Timer1, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);
    connect(Timer2, &QTimer::timeout, this, &SplashWindow::closeAndLoadMain);

    Form_Load();

    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::Form_Load()
{
    lblProductName->setText(QLatin1String(ApplicationTitle));
    lblProductName->adjustSize();
    lblProductName->move(twipsToPixels(*this, 2520), twipsToPixels(*this, 840));

    lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    // Right-aligned labels grow to the left, so a longer version text stays
    // inside the frame.
    const int right = twipsToPixels(*this, RightMargin);
    for (auto [label, top] : {std::pair{lblPlatform, 2160}, std::pair{lblVersion, 2520}}) {
        label->adjustSize();
        label->move(right - label->width(), twipsToPixels(*this, top));
    }

    Timer2->start();
}

void SplashWindow::Form_Activate()
{
    if (!closing_ && !Timer1->isActive())
        Timer1->start();
}

void SplashWindow::closeAndLoadMain()
{
    if (closing_)
        return;
    closing_ = true;
    Timer1->stop();
    Timer2->stop();
    hide();
    deleteLater();
    emit finished();
}

bool SplashWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
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
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (Frame1->rect().contains(mouse->position().toPoint())) {
            closeAndLoadMain();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tapfill::ui
