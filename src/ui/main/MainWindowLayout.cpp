// The main window's controls: where each stands, what it says and how it
// starts. Every position is in twips within the control's container; tab
// pages share their strip's coordinates.

#include "ui/layout/Version.h"
#include "ui/main/DialogFont.h"
#include "ui/main/Icons.h"
#include "ui/main/MainWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <vector>

namespace tapfill::ui {

namespace {

const QColor PanelGrey(192, 192, 192);
const QColor LabelBlue(0, 0, 255);
const QColor InstructionRed(128, 0, 0);

const char* const PersonalLabels[model::PersonalFieldCount] = {
    "FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
    "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER",
};

/// A check box whose caption wraps onto a second line when the box is too
/// narrow for it, as "Auto Carriage Return (ENTER)" needs.
class WrappingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString caption = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_CheckBox, option);
        const QRect textRect = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
        painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, palette(),
                             isEnabled(), caption, QPalette::WindowText);
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    setColour(widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

void MainWindow::buildLayout()
{
    auto place = [this](QWidget* widget, const QString& name, int left, int top, int width, int height) {
        widget->setObjectName(name);
        widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    };

    setObjectName(QStringLiteral("TFPRO"));
    setWindowTitle(QStringLiteral("%1 v%2").arg(QLatin1String(ApplicationTitle), QLatin1String(VersionText)));
    setWindowIcon(activeIcon());
    // A window of fixed size: minimise and close, but nothing to maximise.
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(dialogFont());
    setFixedSize(toPixels(2925), toPixels(6780));

    frame = new QFrame(this);
    place(frame, QStringLiteral("Frame1"), 0, 0, 2895, 6735);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fillBackground(frame, PanelGrey);

    pages = new TabStrip({QStringLiteral("1 LINE"), QStringLiteral("PERS"), QStringLiteral("MULTI"),
                           QStringLiteral("OPT.")},
                          frame);
    place(pages, QStringLiteral("SSTab1"), 120, 120, 2700, 4815);
    fillBackground(pages, PanelGrey);

    // "1 LINE": twelve one-line fields, each with the button that selects it.
    lineAndPersonalGroup = new QButtonGroup(this);
    for (int i = 0; i < model::OneLineFieldCount; ++i) {
        const int top = 480 + 360 * i;
        oneLineButtons[i] = new QRadioButton(pages->page(0));
        place(oneLineButtons[i], indexed("O1", i), 120, top, 255, 255);
        lineAndPersonalGroup->addButton(oneLineButtons[i]);
        oneLineEdits[i] = new QLineEdit(pages->page(0));
        place(oneLineEdits[i], indexed("I", i), 360, top, 2175, 285);
        setColour(oneLineEdits[i], QPalette::Base, Qt::white);
    }

    // "PERS": the personal data texts live elsewhere; only their names show here.
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        const int top = 480 + 360 * i;
        personalButtons[i] = new QRadioButton(pages->page(1));
        place(personalButtons[i], indexed("PERS", i), 480, top, 255, 255);
        lineAndPersonalGroup->addButton(personalButtons[i]);
        personalLabels[i] = new QLabel(QLatin1String(PersonalLabels[i]), pages->page(1));
        place(personalLabels[i], indexed("LL", i), 840, top, 1695, 255);
        setColour(personalLabels[i], QPalette::WindowText, LabelBlue);
    }
    personalDataButton = new QPushButton(QStringLiteral("CLICK HERE FOR DATA "), pages->page(1));
    place(personalDataButton, QStringLiteral("C4"), 120, 4320, 2415, 375);

    // "MULTI": an inner strip of three pages, four described fields on each.
    multiLinePages = new TabStrip({QStringLiteral("MULTI 1"), QStringLiteral("MULTI 2"), QStringLiteral("MULTI 3")},
                          pages->page(2));
    place(multiLinePages, QStringLiteral("SSTab2"), 0, 240, 2655, 4575);
    fillBackground(multiLinePages, palette().color(QPalette::Button));
    multiLineGroup = new QButtonGroup(this);
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        QWidget* page = multiLinePages->page(k / 4);
        const int row = k % 4;
        auto* option = new QRadioButton(QStringLiteral("Double Click to enter desc."), page);
        place(option, QStringLiteral("Option%1").arg(k + 1), 120, 480 + 960 * row, 2415, 255);
        multiLineGroup->addButton(option, k + 1);
        multiLineButtons[k] = option;
        multiLineEdits[k] = new QPlainTextEdit(page);
        place(multiLineEdits[k], indexed("ML", k), 120, 720 + 960 * row, 2415, 615);
        multiLineEdits[k]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multiLineEdits[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multiLineEdits[k]->setTabChangesFocus(true);
    }

    // "OPT.": the paste options, each explained below its box.
    QWidget* options = pages->page(3);
    autoAdvanceBox = new WrappingCheckBox(QStringLiteral("Auto Advance"), options);
    place(autoAdvanceBox, QStringLiteral("AUT3"), 360, 480, 1575, 255);
    autoAdvanceHelp = wrappedLabel(QStringLiteral("This option tells Tapfill to drop option field down one every time "
                                         "you click with  left mouse button in paste mode."),
                          options);
    place(autoAdvanceHelp, QStringLiteral("Label4"), 240, 840, 2295, 855);
    autoTabBox = new WrappingCheckBox(QStringLiteral("Auto Tab"), options);
    place(autoTabBox, QStringLiteral("AUT"), 360, 1920, 1695, 255);
    autoTabHelp = wrappedLabel(QStringLiteral("This option tells Tapfill to send a tab after each line that you "
                                         "paste into your form."),
                          options);
    place(autoTabHelp, QStringLiteral("Label2"), 240, 2280, 2295, 735);
    autoEnterBox = new WrappingCheckBox(QStringLiteral("Auto Carriage Return (ENTER)"), options);
    place(autoEnterBox, QStringLiteral("AUT2"), 360, 3120, 1815, 375);
    autoEnterHelp = wrappedLabel(QStringLiteral("This option tells Tapfill to send a carriage return, or press enter "
                                         "for you, after each line that you paste into your form."),
                          options);
    place(autoEnterHelp, QStringLiteral("Label3"), 240, 3600, 2295, 1095);

    // Below the strip: the commands and the state of click acceptance.
    saveButton = new QPushButton(QStringLiteral("SAVE"), frame);
    place(saveButton, QStringLiteral("Command3"), 120, 5040, 615, 375);
    suspendButton = new QPushButton(QStringLiteral("SUSPEND"), frame);
    place(suspendButton, QStringLiteral("Command4"), 840, 5040, 1095, 375);
    hideButton = new QPushButton(QStringLiteral("HIDE"), frame);
    place(hideButton, QStringLiteral("Command1"), 2040, 5040, 735, 375);
    pasteInstructions = wrappedLabel(QStringLiteral("Field next to option button will now auto paste wherever you left "
                                         "click. Right Click to change option button"),
                          frame);
    place(pasteInstructions, QStringLiteral("Label1"), 120, 5460, 2655, 615);
    setColour(pasteInstructions, QPalette::WindowText, InstructionRed);
    pasteInstructions->setCursor(QCursor(activeIcon().pixmap(32, 32), 17, 13)); // the pointer's tip
    pasteInstructions->hide();
    idlePicture = new QLabel(frame);
    place(idlePicture, QStringLiteral("Image1"), 120, 6120, 480, 480);
    idlePicture->setPixmap(idleIcon().pixmap(32, 32));
    activePicture = new QLabel(frame);
    place(activePicture, QStringLiteral("Image2"), 120, 6120, 480, 480);
    activePicture->setPixmap(activeIcon().pixmap(32, 32));
    activePicture->hide();
    pasteButton = new QPushButton(QStringLiteral("PASTE"), frame);
    place(pasteButton, QStringLiteral("Command2"), 1080, 6240, 855, 375);
    exitButton = new QPushButton(QStringLiteral("EXIT"), frame);
    place(exitButton, QStringLiteral("Command5"), 2040, 6240, 735, 375);

    pages->setCurrentIndex(1);
    multiLinePages->setCurrentIndex(0);

    // The keyboard walks the controls in the order they were first laid out,
    // not page by page.
    std::vector<QWidget*> order{pages->tabBar(), saveButton, suspendButton, hideButton, oneLineEdits[0], oneLineButtons[0]};
    for (int i = 1; i <= 9; ++i)
        order.push_back(oneLineEdits[i]);
    order.insert(order.end(), {personalDataButton, oneLineEdits[10], oneLineEdits[11], multiLinePages->tabBar()});
    order.insert(order.end(), multiLineEdits.begin(), multiLineEdits.end());
    order.push_back(pasteButton);
    order.insert(order.end(), oneLineButtons.begin() + 1, oneLineButtons.end());
    order.push_back(exitButton);
    order.insert(order.end(), personalButtons.begin(), personalButtons.end());
    order.insert(order.end(), multiLineButtons.begin(), multiLineButtons.end());
    order.insert(order.end(), {autoTabBox, autoEnterBox, autoAdvanceBox});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace tapfill::ui
