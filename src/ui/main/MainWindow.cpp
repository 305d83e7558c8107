#include "ui/main/MainWindow.h"

#include "ui/layout/Texts.h"
#include "ui/main/OneLine.h"
#include "ui/layout/WindowPosition.h"
#include "ui/personal/PersonalDataWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace tapfill::ui {

using model::FieldSet;

MainWindow::MainWindow(model::AppModel& model, engine::PasteEngine& engine, platform::Platform& platform,
                       std::filesystem::path dataDir, QWidget* parent)
    : QWidget(parent), model_(model), engine_(engine), platform_(platform), dataDir_(std::move(dataDir))
{
    buildControls();
    // Coming to the front must not take the keyboard focus from the form
    // the user is filling.
    setAttribute(Qt::WA_ShowWithoutActivating);
    connectControls();
    connectModel();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls()
{
    for (int i = 0; i < model::OneLineFieldCount; ++i) {
        connect(oneLineButtons[i], &QRadioButton::clicked, this, [this, i] { model_.select(FieldSet::OneLine, i); });
        keepOnOneLine(oneLineEdits[i]);
        connect(oneLineEdits[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { model_.setText(FieldSet::OneLine, i, text.toStdString()); });
    }
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        connect(personalButtons[i], &QRadioButton::clicked, this, [this, i] { model_.select(FieldSet::Personal, i); });
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        connect(multiLineButtons[k], &QRadioButton::clicked, this,
                [this, k] { model_.select(FieldSet::MultiLine, k); });
        connect(multiLineEdits[k], &QPlainTextEdit::textChanged, this, [this, k] {
            model_.setText(FieldSet::MultiLine, k, multiLineEdits[k]->toPlainText().toStdString());
        });
        multiLineButtons[k]->installEventFilter(this); // double clicks describe the field
    }
    connect(autoTabBox, &QCheckBox::toggled, this, [this](bool on) { model_.autoTab = on; });
    connect(autoEnterBox, &QCheckBox::toggled, this, [this](bool on) { model_.autoEnter = on; });
    connect(autoAdvanceBox, &QCheckBox::toggled, this, [this](bool on) { model_.autoAdvance = on; });

    connect(pages, &TabStrip::pageChanged, this, [this] { onPageChanged(); });
    connect(multiLinePages, &TabStrip::pageChanged, this, [this] { onMultiLinePageChanged(); });
    connect(personalDataButton, &QPushButton::clicked, this, [this] { openPersonalData(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { onSaveClicked(); });
    connect(hideButton, &QPushButton::clicked, this, [this] { engine_.hideWindow(); });
    connect(pasteButton, &QPushButton::clicked, this, [this] { engine_.togglePaste(); });
    connect(suspendButton, &QPushButton::clicked, this, [this] { engine_.suspend(); });

    connections_.push_back(engine_.showWindowRequested.connect([this] { show(); }));
    connections_.push_back(engine_.raiseWindowRequested.connect([this] { bringToTop(); }));
    connections_.push_back(engine_.hideWindowRequested.connect([this] { hide(); }));
}

void MainWindow::connectModel()
{
    connections_.push_back(
        model_.fieldSelected.connect([this](FieldSet set, int index) { showSelection(set, index); }));
    connections_.push_back(model_.textChanged.connect([this](FieldSet set, int index) { showText(set, index); }));
    connections_.push_back(model_.descriptionChanged.connect([this](int index) { showDescription(index); }));
    connections_.push_back(model_.lookChanged.connect([this] { showLook(); }));
}

void MainWindow::showModel()
{
    for (int i = 0; i < model::OneLineFieldCount; ++i)
        showText(FieldSet::OneLine, i);
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        showText(FieldSet::MultiLine, k);
        showDescription(k);
    }
}

void MainWindow::showText(FieldSet set, int index)
{
    const QString text = QString::fromStdString(model_.text(set, index));
    if (set == FieldSet::OneLine) {
        if (oneLineEdits[index]->text() != text)
            oneLineEdits[index]->setText(text);
    } else if (set == FieldSet::MultiLine) {
        if (multiLineEdits[index]->toPlainText() != text)
            multiLineEdits[index]->setPlainText(text);
    }
}

void MainWindow::showDescription(int index)
{
    if (index >= model::MultiLineFieldCount)
        return; // kept in the file, never shown
    // Captions treat "&" as a shortcut marker; descriptions are plain text.
    multiLineButtons[index]->setText(
        QString::fromStdString(model_.description(index)).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void MainWindow::showSelection(FieldSet set, int index)
{
    QRadioButton* button = set == FieldSet::OneLine    ? oneLineButtons[index]
                           : set == FieldSet::Personal ? personalButtons[index]
                                                       : multiLineButtons[index];
    button->setChecked(true); // the group clears the others
}

void MainWindow::showLook()
{
    activePicture->setVisible(model_.showsActivePicture());
    idlePicture->setVisible(!model_.showsActivePicture());
    pasteInstructions->setVisible(model_.showsPasteInstructions());
}

void MainWindow::select(FieldSet set, int index)
{
    model_.select(set, index);
}

// The position kept in "F3.dat" is the window's outer top-left corner, as
// the left and top edges of a window mean: the frame is put there, and read
// back from there, so that save and restart never creep by the title bar.

double MainWindow::leftTwips() const
{
    return qRound(frameGeometry().x() * 1440.0 / logicalDpiX());
}

double MainWindow::topTwips() const
{
    return qRound(frameGeometry().y() * 1440.0 / logicalDpiY());
}

namespace {
PixelRect pixelRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

/// Where a frame of `size` opens when asked for `asked`, on the screens there are.
QPoint reachablePosition(QPoint asked, QSize size)
{
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(pixelRect(screen->availableGeometry()));
    const PixelPoint placed = reachableFramePosition(pixelRect(QRect(asked, size)), screens);
    return {placed.x, placed.y};
}
} // namespace

void MainWindow::moveToTwips(double left, double top)
{
    // A damaged "F3.dat" may hold any number; keep the window within reach
    // of the pixel arithmetic.
    constexpr double Limit = 1.0e7;
    left = std::clamp(left, -Limit, Limit);
    top = std::clamp(top, -Limit, Limit);
    askedPosition_ = QPoint(qRound(left * logicalDpiX() / 1440.0), qRound(top * logicalDpiY() / 1440.0));
    // For a window not yet shown, move() places the frame, whatever its
    // size turns out to be; once shown, Qt knows the frame and does the same.
    const QPoint placed = reachablePosition(askedPosition_, frameGeometry().size());
    keepFrameInside_ = placed != askedPosition_;
    move(placed);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Before the first show the frame's size was the inside's: the window
    // manager's border was not known. Once it is, a window that had to be
    // brought onto the screen is placed again with its whole frame inside.
    if (!keepFrameInside_ || !isVisible() || frameGeometry() == geometry())
        return;
    keepFrameInside_ = false;
    const QPoint placed = reachablePosition(askedPosition_, frameGeometry().size());
    if (placed != frameGeometry().topLeft())
        move(placed);
}

void MainWindow::bringToTop()
{
    platform_.placement->makeTopmost(*this);
}

// ---- descriptions ----------------------------------------------------------

void MainWindow::describeMultiLineField(int index)
{
    const QString old = QString::fromStdString(model_.description(index));
    hide();
    const QString typed = onOneLine(platform_.dialogs->inputBox(
        QString::fromLatin1(texts::DescriptionPrompt), QString::fromLatin1(texts::DescriptionTitle), old));
    model_.setDescription(index, (typed.isEmpty() ? old : typed).toStdString());
    show();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto found = std::find(multiLineButtons.begin(), multiLineButtons.end(), watched);
        if (found != multiLineButtons.end()) {
            describeMultiLineField(static_cast<int>(found - multiLineButtons.begin()));
            return true; // the first click of the pair already selected the button
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- tab pages -----------------------------------------------------------

void MainWindow::onMultiLinePageChanged()
{
    engine_.pauseClickAcceptance();
    model_.setPages(static_cast<model::Page>(pages->currentIndex()), multiLinePages->currentIndex());
    // Each inner page starts at its first field.
    select(FieldSet::MultiLine, model::MultiLineFieldsPerPage * model_.multiLinePage());
}

void MainWindow::onPageChanged()
{
    onMultiLinePageChanged();
    if (model_.page() == model::Page::OneLine)
        select(FieldSet::OneLine, 0);
    else if (model_.page() == model::Page::Personal)
        select(FieldSet::Personal, 0);
}

void MainWindow::openPersonalData()
{
    if (!personal_)
        personal_ = new PersonalDataWindow(model_, *platform_.dialogs, dataDir_, this);
    personal_->show();
    personal_->raise();
    hide();
}

PersonalDataWindow* MainWindow::personalDataWindow() const
{
    return personal_.data();
}

// ---- activation ------------------------------------------------------------

void MainWindow::onActivated()
{
    select(FieldSet::OneLine, 0);
    model_.setPages(static_cast<model::Page>(pages->currentIndex()), multiLinePages->currentIndex());
}

void MainWindow::showEvent(QShowEvent* event)
{
    // Every time the window comes back (start, HIDE, the description prompt,
    // the personal data window, the tray) counts as an activation.
    QWidget::showEvent(event);
    if (!event->spontaneous())
        onActivated();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

} // namespace tapfill::ui
