#include "ui/tray/NoticeWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tapfill::ui {

namespace {
constexpr int ScreenMargin = 16;
constexpr int TextWidth = 320;
} // namespace

NoticeWindow::NoticeWindow(std::chrono::milliseconds shownFor)
    : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    // Mapping it must not activate it either: a paste that follows still has
    // to land in the program the user is filling.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Tapfill message"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);

    titleLabel = new QLabel;
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    textLabel = new QLabel;
    textLabel->setWordWrap(true);
    textLabel->setTextFormat(Qt::PlainText);
    textLabel->setFixedWidth(TextWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel);
    layout->addWidget(textLabel);
    setFrameStyle(QFrame::Box | QFrame::Plain);

    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(shownFor);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void NoticeWindow::tell(const QString& title, const QString& text)
{
    titleLabel->setText(title);
    textLabel->setText(text);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - ScreenMargin - width(), area.bottom() + 1 - ScreenMargin - height());
    }
    show();
    raise(); // restacking only, no activation
    hideTimer_.start();
}

void NoticeWindow::mousePressEvent(QMouseEvent*)
{
    hide();
}

} // namespace tapfill::ui
