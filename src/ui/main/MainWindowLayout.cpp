// The main window's controls: where each stands, what it says and how it
// starts. Every position is in twips within the control's container; tab
// pages share their strip's coordinates.

#include "app/Version.h"
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

const char* const PersonalLabels[PersonalSlots] = {
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

    Frame1 = new QFrame(this);
    place(Frame1, QStringLiteral("Frame1"), 0, 0, 2895, 6735);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fillBackground(Frame1, PanelGrey);

    SSTab1 = new TabStrip({QStringLiteral("1 LINE"), QStringLiteral("PERS"), QStringLiteral("MULTI"),
                           QStringLiteral("OPT.")},
                          Frame1);
    place(SSTab1, QStringLiteral("SSTab1"), 120, 120, 2700, 4815);
    fillBackground(SSTab1, PanelGrey);

    // "1 LINE": twelve one-line fields, each with the button that selects it.
    lineAndPersonalGroup = new QButtonGroup(this);
    for (int i = 0; i < OneLineFields; ++i) {
        const int top = 480 + 360 * i;
        O1[i] = new QRadioButton(SSTab1->page(0));
        place(O1[i], indexed("O1", i), 120, top, 255, 255);
        lineAndPersonalGroup->addButton(O1[i]);
        I[i] = new QLineEdit(SSTab1->page(0));
        place(I[i], indexed("I", i), 360, top, 2175, 285);
        setColour(I[i], QPalette::Base, Qt::white);
    }

    // "PERS": the personal data texts live elsewhere; only their names show here.
    for (int i = 0; i < PersonalSlots; ++i) {
        const int top = 480 + 360 * i;
        PERS[i] = new QRadioButton(SSTab1->page(1));
        place(PERS[i], indexed("PERS", i), 480, top, 255, 255);
        lineAndPersonalGroup->addButton(PERS[i]);
        LL[i] = new QLabel(QLatin1String(PersonalLabels[i]), SSTab1->page(1));
        place(LL[i], indexed("LL", i), 840, top, 1695, 255);
        setColour(LL[i], QPalette::WindowText, LabelBlue);
    }
    C4 = new QPushButton(QStringLiteral("CLICK HERE FOR DATA "), SSTab1->page(1));
    place(C4, QStringLiteral("C4"), 120, 4320, 2415, 375);

    // "MULTI": an inner strip of three pages, four described fields on each.
    SSTab2 = new TabStrip({QStringLiteral("MULTI 1"), QStringLiteral("MULTI 2"), QStringLiteral("MULTI 3")},
                          SSTab1->page(2));
    place(SSTab2, QStringLiteral("SSTab2"), 0, 240, 2655, 4575);
    fillBackground(SSTab2, palette().color(QPalette::Button));
    multiLineGroup = new QButtonGroup(this);
    for (int k = 0; k < MultiLineFields; ++k) {
        QWidget* page = SSTab2->page(k / 4);
        const int row = k % 4;
        auto* option = new QRadioButton(QStringLiteral("Double Click to enter desc."), page);
        place(option, QStringLiteral("Option%1").arg(k + 1), 120, 480 + 960 * row, 2415, 255);
        multiLineGroup->addButton(option, k + 1);
        OptionButtons[k] = option;
        ML[k] = new QPlainTextEdit(page);
        place(ML[k], indexed("ML", k), 120, 720 + 960 * row, 2415, 615);
        ML[k]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ML[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ML[k]->setTabChangesFocus(true);
    }

    // "OPT.": the paste options, each explained below its box.
    QWidget* options = SSTab1->page(3);
    AUT3 = new WrappingCheckBox(QStringLiteral("Auto Advance"), options);
    place(AUT3, QStringLiteral("AUT3"), 360, 480, 1575, 255);
    Label4 = wrappedLabel(QStringLiteral("This option tells Tapfill to drop option field down one every time "
                                         "you click with  left mouse button in paste mode."),
                          options);
    place(Label4, QStringLiteral("Label4"), 240, 840, 2295, 855);
    AUT = new WrappingCheckBox(QStringLiteral("Auto Tab"), options);
    place(AUT, QStringLiteral("AUT"), 360, 1920, 1695, 255);
    Label2 = wrappedLabel(QStringLiteral("This option tells Tapfill to send a tab after each line that you "
                                         "paste into your form."),
                          options);
    place(Label2, QStringLiteral("Label2"), 240, 2280, 2295, 735);
    AUT2 = new WrappingCheckBox(QStringLiteral("Auto Carriage Return (ENTER)"), options);
    place(AUT2, QStringLiteral("AUT2"), 360, 3120, 1815, 375);
    Label3 = wrappedLabel(QStringLiteral("This option tells Tapfill to send a carriage return, or press enter "
                                         "for you, after each line that you paste into your form."),
                          options);
    place(Label3, QStringLiteral("Label3"), 240, 3600, 2295, 1095);

    // Below the strip: the commands and the state of click acceptance.
    Command3 = new QPushButton(QStringLiteral("SAVE"), Frame1);
    place(Command3, QStringLiteral("Command3"), 120, 5040, 615, 375);
    Command4 = new QPushButton(QStringLiteral("SUSPEND"), Frame1);
    place(Command4, QStringLiteral("Command4"), 840, 5040, 1095, 375);
    Command1 = new QPushButton(QStringLiteral("HIDE"), Frame1);
    place(Command1, QStringLiteral("Command1"), 2040, 5040, 735, 375);
    Label1 = wrappedLabel(QStringLiteral("Field next to option button will now auto paste wherever you left "
                                         "click. Right Click to change option button"),
                          Frame1);
    place(Label1, QStringLiteral("Label1"), 120, 5460, 2655, 615);
    setColour(Label1, QPalette::WindowText, InstructionRed);
    Label1->setCursor(QCursor(activeIcon().pixmap(32, 32), 17, 13)); // the pointer's tip
    Label1->hide();
    Image1 = new QLabel(Frame1);
    place(Image1, QStringLiteral("Image1"), 120, 6120, 480, 480);
    Image1->setPixmap(idleIcon().pixmap(32, 32));
    Image2 = new QLabel(Frame1);
    place(Image2, QStringLiteral("Image2"), 120, 6120, 480, 480);
    Image2->setPixmap(activeIcon().pixmap(32, 32));
    Image2->hide();
    Command2 = new QPushButton(QStringLiteral("PASTE"), Frame1);
    place(Command2, QStringLiteral("Command2"), 1080, 6240, 855, 375);
    Command5 = new QPushButton(QStringLiteral("EXIT"), Frame1);
    place(Command5, QStringLiteral("Command5"), 2040, 6240, 735, 375);

    SSTab1->setCurrentIndex(1);
    SSTab2->setCurrentIndex(0);

    // The keyboard walks the controls in the order they were first laid out,
    // not page by page.
    std::vector<QWidget*> order{SSTab1->tabBar(), Command3, Command4, Command1, I[0], O1[0]};
    for (int i = 1; i <= 9; ++i)
        order.push_back(I[i]);
    order.insert(order.end(), {C4, I[10], I[11], SSTab2->tabBar()});
    order.insert(order.end(), ML.begin(), ML.end());
    order.push_back(Command2);
    order.insert(order.end(), O1.begin() + 1, O1.end());
    order.push_back(Command5);
    order.insert(order.end(), PERS.begin(), PERS.end());
    order.insert(order.end(), OptionButtons.begin(), OptionButtons.end());
    order.insert(order.end(), {AUT, AUT2, AUT3});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace tapfill::ui
