#include "ui/main/MainWindow.h"

#include "ui/main/Icons.h"
#include "ui/personal/PersonalDataWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace tapfill::ui {

MainWindow::MainWindow(SharedState& state, platform::Platform& platform, std::filesystem::path dataDir,
                       QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), dataDir_(std::move(dataDir))
{
    buildLayout();
    // Coming to the front must not take the keyboard focus from the form
    // the user is filling.
    setAttribute(Qt::WA_ShowWithoutActivating);
    connectHandlers();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectHandlers()
{
    // One click behaviour for all 34 field buttons.
    for (auto* group : {lineAndPersonalGroup, multiLineGroup})
        connect(group, &QButtonGroup::buttonClicked, this, [this] { FieldButton_Click(); });
    for (auto* option : OptionButtons)
        option->installEventFilter(this);

    connect(SSTab1, &TabStrip::pageChanged, this, [this] { SSTab1_Click(); });
    connect(SSTab2, &TabStrip::pageChanged, this, [this] { SSTab2_Click(); });
    connect(C4, &QPushButton::clicked, this, [this] { C4_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // The tray icon's mouse notifications are this window's to decode.
    platform_.tray->onMouseMessage = [this](int message) { Form_MouseMove(message); };
}

void MainWindow::select(QRadioButton* button)
{
    // click() checks the button, clears the rest of its group and emits the
    // same signals as a user's click, so the click handler runs too.
    button->click();
}

int MainWindow::toPixels(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

// The position kept in "F3.dat" is that of the window's inside. Placing the
// inside (rather than the frame) is the one request every window manager
// carries out exactly, so a save and a restart put the window back where it
// was instead of creeping by the height of the title bar.

double MainWindow::leftTwips() const
{
    return qRound(geometry().x() * 1440.0 / logicalDpiX());
}

double MainWindow::topTwips() const
{
    return qRound(geometry().y() * 1440.0 / logicalDpiY());
}

void MainWindow::moveToTwips(double left, double top)
{
    // A damaged "F3.dat" may hold any number; keep the window within reach
    // of the pixel arithmetic.
    constexpr double Limit = 1.0e7;
    left = std::clamp(left, -Limit, Limit);
    top = std::clamp(top, -Limit, Limit);
    setGeometry(QRect(QPoint(qRound(left * logicalDpiX() / 1440.0), qRound(top * logicalDpiY() / 1440.0)),
                      size()));
}

QString MainWindow::description(int n) const
{
    // Captions treat "&" as a shortcut marker; descriptions are plain text.
    return Option(n)->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void MainWindow::setDescription(int n, const QString& text)
{
    Option(n)->setText(QString(text).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void MainWindow::setActiveFlag(std::int16_t value)
{
    state_.ActiveFlag = value;
    // Right clicks can only be kept from other programs if interception is
    // in place before they happen, so it follows paste mode.
    platform_.SubClass1->setArmed(value == 1);
}

// ---- field buttons and descriptions -------------------------------------

void MainWindow::pauseClickAcceptance()
{
    // Off now, on again when Timer2 ticks 120 ms later; off stays off.
    if (state_.ReadyFlag == 1) {
        state_.ReadyFlag = 0;
        Timer2.setEnabled(true);
    }
}

void MainWindow::FieldButton_Click()
{
    // The click that chose a field must not itself count as a paste click.
    pauseClickAcceptance();
}

void MainWindow::Option_DblClick(int n)
{
    state_.NewDescription.clear();
    state_.OldDescription = description(n).toStdString();
    PromptDescription();
    setDescription(n, QString::fromStdString(state_.NewDescription));
}

void MainWindow::PromptDescription()
{
    hide();
    const QString typed = platform_.dialogs->inputBox(QStringLiteral("Enter a Description for this field."),
                                                      QStringLiteral("ENTER INFORMATION"),
                                                      QString::fromStdString(state_.OldDescription));
    state_.NewDescription = typed.toStdString();
    if (state_.NewDescription.empty())
        state_.NewDescription = state_.OldDescription;
    show();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int n = 1; n <= MultiLineFields; ++n) {
            if (watched == Option(n)) {
                Option_DblClick(n);
                return true; // the first click of the pair already selected the button
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- tab pages -----------------------------------------------------------

void MainWindow::SSTab2_Click()
{
    pauseClickAcceptance();
    state_.CurrentTab = static_cast<std::int16_t>(SSTab1->currentIndex());
    state_.CurrentSubTab = static_cast<std::int16_t>(SSTab2->currentIndex());
    if (state_.CurrentSubTab >= 0 && state_.CurrentSubTab <= 2)
        select(Option(1 + 4 * state_.CurrentSubTab));
}

void MainWindow::SSTab1_Click()
{
    SSTab2_Click();
    if (state_.CurrentTab == 0)
        select(O1[0]);
    else if (state_.CurrentTab == 1)
        select(PERS[0]);
}

void MainWindow::C4_Click()
{
    if (!personal_)
        personal_ = new PersonalDataWindow(state_, *platform_.dialogs, dataDir_, this);
    personal_->show();
    personal_->raise();
    hide();
}

PersonalDataWindow* MainWindow::TFDATA() const
{
    return personal_.data();
}

// ---- window commands and activation --------------------------------------

void MainWindow::Command1_Click()
{
    state_.ReadyFlag = 0;
    Image2->hide();
    Image1->show();
    hide();
}

void MainWindow::Form_Activate()
{
    select(O1[0]);
    state_.CurrentTab = static_cast<std::int16_t>(SSTab1->currentIndex());
    state_.CurrentSubTab = static_cast<std::int16_t>(SSTab2->currentIndex());
}

void MainWindow::showEvent(QShowEvent* event)
{
    // Every time the window comes back (start, HIDE, the description prompt,
    // the personal data window, the tray) counts as an activation.
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit unloading();
}

// ---- tray icon -------------------------------------------------------------

namespace {
constexpr const char* IdleTip = "Double Click To Start Tapfill";
constexpr const char* ActiveTip = "Tapfill is Active!! Double Click to De-activate.";

/// The tip field: the text, a NUL that ends it, then blanks to 64 characters.
std::string tipField(const char* text)
{
    std::string field = std::string(text) + '\0';
    field.resize(64, ' ');
    return field;
}
} // namespace

void MainWindow::fillTrayRecord(bool active)
{
    if (isVisible())
        repaint();
    auto& data = state_.TrayIconData;
    data.cbSize = 88;
    data.hWnd = static_cast<platform::WindowId>(winId());
    data.uID = 1;
    data.uFlags = 7;
    data.uCallbackMessage = platform::TrayMouse::Move;
    data.hIcon = active ? activeIcon() : idleIcon();
    data.szTip = tipField(active ? ActiveTip : IdleTip);
}

void MainWindow::TrayAdd()
{
    fillTrayRecord(false);
    platform_.tray->notifyIcon(platform::TrayRequest::Add, state_.TrayIconData);
}

void MainWindow::TraySetIdle()
{
    fillTrayRecord(false);
    platform_.tray->notifyIcon(platform::TrayRequest::Modify, state_.TrayIconData);
}

void MainWindow::TraySetActive()
{
    fillTrayRecord(true);
    platform_.tray->notifyIcon(platform::TrayRequest::Modify, state_.TrayIconData);
}

void MainWindow::TrayDelete()
{
    platform_.tray->notifyIcon(platform::TrayRequest::Delete, state_.TrayIconData);
}

void MainWindow::Form_MouseMove(int x)
{
    // Only a double click on the tray icon acts; moves, single clicks and
    // other buttons do nothing.
    if (x != platform::TrayMouse::LeftDoubleClick)
        return;
    if (state_.ActiveFlag == 1) {
        setActiveFlag(0);
        state_.ReadyFlag = 0;
        Image2->hide();
        Image1->show();
        TraySetIdle();
        hide();
    } else {
        setActiveFlag(1);
        TraySetActive();
        platform_.SubClass1->setTargetWindow(0);
        show();
        MakeTopmost();
    }
}

void MainWindow::MakeTopmost()
{
    platform_.placement->makeTopmost(*this);
}

} // namespace tapfill::ui
