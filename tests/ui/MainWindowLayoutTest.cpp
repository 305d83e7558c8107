// The main window as it is built: every control found by its name, in its
// place, with its text and starting state; the two option groups; the order
// in which the keyboard walks the controls.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "platform/fake/FakePlatform.h"
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
#include <QStyle>
#include <QTabBar>

#include <vector>

namespace tapfill::test {
namespace {

using ui::MainWindow;

struct MainWindowLayout : QtTest {
    SharedState state;
    platform::fake::FakePlatform fake;
    TempDir dir;
    MainWindow form{state, fake.platform, dir.path()};

    QWidget* named(const QString& name) const
    {
        auto* widget = form.findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    template <typename Widget>
    Widget* named(const QString& name) const
    {
        auto* widget = qobject_cast<Widget*>(named(name));
        EXPECT_NE(widget, nullptr) << name.toStdString() << " has the wrong kind";
        return widget;
    }

    /// The control lies in `container` at the given place, in twips.
    void expectPlaced(const QString& name, QWidget* container, int left, int top, int width, int height) const
    {
        QWidget* widget = named(name);
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(container->isAncestorOf(widget)) << name.toStdString();
        const QPoint origin = widget->mapTo(container, QPoint(0, 0));
        EXPECT_EQ(origin, QPoint(form.toPixels(left), form.toPixels(top))) << name.toStdString();
        EXPECT_EQ(widget->size(), QSize(form.toPixels(width), form.toPixels(height))) << name.toStdString();
    }

    static QString at(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }
};

TEST_F(MainWindowLayout, WindowIsFixedAndCarriesTheActiveIcon)
{
    EXPECT_EQ(form.objectName(), "TFPRO");
    EXPECT_EQ(form.windowTitle(), "Tapfill v3.0.5");
    const QSize client(form.toPixels(2925), form.toPixels(6780));
    EXPECT_EQ(form.size(), client);
    EXPECT_EQ(form.minimumSize(), client);
    EXPECT_EQ(form.maximumSize(), client);
    EXPECT_EQ(form.windowIcon().pixmap(32, 32).toImage(), ui::activeIcon().pixmap(32, 32).toImage());
    EXPECT_NE(ui::idleIcon().pixmap(32, 32).toImage(), ui::activeIcon().pixmap(32, 32).toImage());
    EXPECT_EQ(form.toPixels(480), 32) << "the offscreen screen is expected at 96 dpi";
}

TEST_F(MainWindowLayout, BothIconsComeInTrayAndWindowSizes)
{
    for (const QIcon& icon : {ui::idleIcon(), ui::activeIcon()}) {
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)));
        EXPECT_TRUE(sizes.contains(QSize(32, 32)));
        EXPECT_EQ(icon.pixmap(16, 16).size(), QSize(16, 16));
    }
    EXPECT_NE(ui::idleIcon().pixmap(16, 16).toImage(), ui::activeIcon().pixmap(16, 16).toImage());
}

TEST_F(MainWindowLayout, ContainersAndTabPages)
{
    expectPlaced("Frame1", &form, 0, 0, 2895, 6735);
    expectPlaced("SSTab1", form.Frame1, 120, 120, 2700, 4815);
    expectPlaced("SSTab2", form.SSTab1, 0, 240, 2655, 4575);
    EXPECT_EQ(form.Frame1->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_TRUE(form.SSTab1->page(2)->isAncestorOf(form.SSTab2));

    const QStringList outer{"1 LINE", "PERS", "MULTI", "OPT."};
    const QStringList inner{"MULTI 1", "MULTI 2", "MULTI 3"};
    ASSERT_EQ(form.SSTab1->count(), 4);
    ASSERT_EQ(form.SSTab2->count(), 3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.SSTab1->tabBar()->tabText(i), outer[i]);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form.SSTab2->tabBar()->tabText(i), inner[i]);
    EXPECT_EQ(form.SSTab1->currentIndex(), 1) << "opens on PERS";
    EXPECT_EQ(form.SSTab2->currentIndex(), 0) << "opens on MULTI 1";
    // Shown, the pages cover their strips and the first row of every page
    // lies below the tabs.
    form.show();
    form.SSTab1->setCurrentIndex(2);
    EXPECT_EQ(form.SSTab1->page(0)->geometry(), form.SSTab1->rect());
    EXPECT_EQ(form.SSTab2->page(2)->geometry(), form.SSTab2->rect());
    EXPECT_LT(form.SSTab1->tabBar()->geometry().bottom(), form.toPixels(480));
    EXPECT_LT(form.SSTab2->tabBar()->geometry().bottom(), form.toPixels(480));
}

TEST_F(MainWindowLayout, OneLinePage)
{
    QWidget* page = form.SSTab1->page(0);
    for (int i = 0; i < 12; ++i) {
        const int top = 480 + 360 * i;
        expectPlaced(at("O1", i), form.SSTab1, 120, top, 255, 255);
        expectPlaced(at("I", i), form.SSTab1, 360, top, 2175, 285);
        auto* button = named<QRadioButton>(at("O1", i));
        auto* box = named<QLineEdit>(at("I", i));
        ASSERT_TRUE(button && box);
        EXPECT_TRUE(page->isAncestorOf(button) && page->isAncestorOf(box));
        EXPECT_EQ(button, form.O1[i]);
        EXPECT_EQ(box, form.I[i]);
        EXPECT_TRUE(button->text().isEmpty());
        EXPECT_FALSE(button->isChecked());
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
    }
}

TEST_F(MainWindowLayout, PersonalPage)
{
    const QStringList captions{"FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
                               "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER"};
    QWidget* page = form.SSTab1->page(1);
    for (int i = 0; i < 10; ++i) {
        const int top = 480 + 360 * i;
        expectPlaced(at("PERS", i), form.SSTab1, 480, top, 255, 255);
        expectPlaced(at("LL", i), form.SSTab1, 840, top, 1695, 255);
        auto* button = named<QRadioButton>(at("PERS", i));
        auto* label = named<QLabel>(at("LL", i));
        ASSERT_TRUE(button && label);
        EXPECT_TRUE(page->isAncestorOf(button));
        EXPECT_EQ(button, form.PERS[i]);
        EXPECT_EQ(label, form.LL[i]);
        EXPECT_FALSE(button->isChecked());
        EXPECT_EQ(label->text(), captions[i]);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_FALSE(label->autoFillBackground());
    }
    expectPlaced("C4", form.SSTab1, 120, 4320, 2415, 375);
    EXPECT_EQ(form.C4->text(), "CLICK HERE FOR DATA ");
    EXPECT_TRUE(page->isAncestorOf(form.C4));
}

TEST_F(MainWindowLayout, MultiLinePagesHoldFourDescribedFieldsEach)
{
    for (int k = 0; k < 12; ++k) {
        const int page = k / 4, row = k % 4;
        const QString option = QStringLiteral("Option%1").arg(k + 1);
        expectPlaced(option, form.SSTab2, 120, 480 + 960 * row, 2415, 255);
        expectPlaced(at("ML", k), form.SSTab2, 120, 720 + 960 * row, 2415, 615);
        auto* button = named<QRadioButton>(option);
        auto* box = named<QPlainTextEdit>(at("ML", k));
        ASSERT_TRUE(button && box);
        EXPECT_EQ(button, form.Option(k + 1));
        EXPECT_EQ(box, form.ML[k]);
        EXPECT_TRUE(form.SSTab2->page(page)->isAncestorOf(button));
        EXPECT_TRUE(form.SSTab2->page(page)->isAncestorOf(box));
        EXPECT_EQ(button->text(), "Double Click to enter desc.");
        EXPECT_FALSE(button->isChecked());
        EXPECT_TRUE(box->toPlainText().isEmpty());
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_TRUE(box->tabChangesFocus()) << "Tab walks on to the next control";
    }
}

TEST_F(MainWindowLayout, OptionsPage)
{
    struct Box {
        const char* name;
        QCheckBox* box;
        int left, top, width, height;
        const char* text;
    };
    for (const Box& b : {Box{"AUT3", form.AUT3, 360, 480, 1575, 255, "Auto Advance"},
                         Box{"AUT", form.AUT, 360, 1920, 1695, 255, "Auto Tab"},
                         Box{"AUT2", form.AUT2, 360, 3120, 1815, 375, "Auto Carriage Return (ENTER)"}}) {
        expectPlaced(b.name, form.SSTab1, b.left, b.top, b.width, b.height);
        EXPECT_EQ(named<QCheckBox>(b.name), b.box);
        EXPECT_EQ(b.box->text(), b.text);
        EXPECT_FALSE(b.box->isChecked());
        EXPECT_TRUE(form.SSTab1->page(3)->isAncestorOf(b.box));
    }
    expectPlaced("Label4", form.SSTab1, 240, 840, 2295, 855);
    expectPlaced("Label2", form.SSTab1, 240, 2280, 2295, 735);
    expectPlaced("Label3", form.SSTab1, 240, 3600, 2295, 1095);
    EXPECT_EQ(form.Label4->text(), "This option tells Tapfill to drop option field down one every time you click "
                                   "with  left mouse button in paste mode.");
    EXPECT_EQ(form.Label2->text(),
              "This option tells Tapfill to send a tab after each line that you paste into your form.");
    EXPECT_EQ(form.Label3->text(), "This option tells Tapfill to send a carriage return, or press enter for you, "
                                   "after each line that you paste into your form.");
}

TEST_F(MainWindowLayout, CommandsAndPicturesBelowTheStrip)
{
    struct Command {
        const char* name;
        QPushButton* button;
        int left, top, width, height;
        const char* text;
    };
    for (const Command& c : {Command{"Command3", form.Command3, 120, 5040, 615, 375, "SAVE"},
                             Command{"Command4", form.Command4, 840, 5040, 1095, 375, "SUSPEND"},
                             Command{"Command1", form.Command1, 2040, 5040, 735, 375, "HIDE"},
                             Command{"Command2", form.Command2, 1080, 6240, 855, 375, "PASTE"},
                             Command{"Command5", form.Command5, 2040, 6240, 735, 375, "EXIT"}}) {
        expectPlaced(c.name, form.Frame1, c.left, c.top, c.width, c.height);
        EXPECT_EQ(named<QPushButton>(c.name), c.button);
        EXPECT_EQ(c.button->text(), c.text);
    }
    expectPlaced("Label1", form.Frame1, 120, 5460, 2655, 615);
    expectPlaced("Image1", form.Frame1, 120, 6120, 480, 480);
    expectPlaced("Image2", form.Frame1, 120, 6120, 480, 480);
    EXPECT_EQ(form.Label1->text(), "Field next to option button will now auto paste wherever you left click. "
                                   "Right Click to change option button");
    EXPECT_EQ(form.Label1->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_TRUE(form.Label1->isHidden());
    EXPECT_TRUE(form.Image2->isHidden());
    EXPECT_FALSE(form.Image1->isHidden());
    EXPECT_EQ(form.Image1->pixmap().toImage(), ui::idleIcon().pixmap(32, 32).toImage());
    EXPECT_EQ(form.Image2->pixmap().toImage(), ui::activeIcon().pixmap(32, 32).toImage());
}

TEST_F(MainWindowLayout, EveryCaptionFitsItsControl)
{
    for (auto* button : form.findChildren<QPushButton*>()) {
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, button->width())
            << button->objectName().toStdString();
    }
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{form.Option(1), form.AUT, form.AUT3})
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    // "Auto Carriage Return (ENTER)" takes two lines beside its box.
    const int indicator = form.AUT2->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                          + form.AUT2->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const QRect wrapped = form.AUT2->fontMetrics().boundingRect(
        QRect(0, 0, form.AUT2->width() - indicator, 1000), Qt::TextWordWrap, form.AUT2->text());
    EXPECT_LE(wrapped.height(), 2 * form.AUT2->fontMetrics().lineSpacing());
    // A line's height counts ascent, descent and one more row for the baseline.
    EXPECT_LE(wrapped.height() - 1, form.AUT2->height());
    for (QLabel* label : {form.Label1, form.Label2, form.Label3, form.Label4})
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
}

// ---- option groups -----------------------------------------------------------

int checkedIndex(const auto& buttons)
{
    int found = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) {
            EXPECT_EQ(found, -1) << "two buttons of one group are on";
            found = static_cast<int>(i);
        }
    }
    return found;
}

TEST_F(MainWindowLayout, OneLineAndPersonalButtonsFormOneGroupAcrossTwoPages)
{
    ASSERT_EQ(form.lineAndPersonalGroup->buttons().size(), 22);
    EXPECT_TRUE(form.lineAndPersonalGroup->exclusive());
    form.Option(7)->click();
    form.O1[5]->click();
    EXPECT_EQ(checkedIndex(form.O1), 5);

    form.PERS[3]->click();
    EXPECT_EQ(checkedIndex(form.PERS), 3);
    EXPECT_EQ(checkedIndex(form.O1), -1) << "PERS(3) clears O1(5) on the other page";
    EXPECT_TRUE(form.Option(7)->isChecked()) << "the multi-line selection is another group";

    form.O1[0]->click();
    EXPECT_EQ(checkedIndex(form.O1), 0);
    EXPECT_EQ(checkedIndex(form.PERS), -1);
    EXPECT_TRUE(form.Option(7)->isChecked());
}

TEST_F(MainWindowLayout, MultiLineButtonsFormOneGroupAcrossThreePages)
{
    ASSERT_EQ(form.multiLineGroup->buttons().size(), 12);
    EXPECT_TRUE(form.multiLineGroup->exclusive());
    form.PERS[9]->click();
    form.Option(2)->click();  // page MULTI 1
    form.Option(11)->click(); // page MULTI 3
    EXPECT_EQ(checkedIndex(form.OptionButtons), 10);
    EXPECT_TRUE(form.PERS[9]->isChecked());
}

// ---- keyboard ------------------------------------------------------------------

TEST_F(MainWindowLayout, FocusOrderFollowsTheOriginalDesign)
{
    std::vector<QWidget*> expected{form.SSTab1->tabBar(), form.Command3, form.Command4, form.Command1,
                                   form.I[0], form.O1[0]};
    for (int i = 1; i <= 9; ++i)
        expected.push_back(form.I[i]);
    expected.insert(expected.end(), {form.C4, form.I[10], form.I[11], form.SSTab2->tabBar()});
    expected.insert(expected.end(), form.ML.begin(), form.ML.end());
    expected.push_back(form.Command2);
    expected.insert(expected.end(), form.O1.begin() + 1, form.O1.end());
    expected.push_back(form.Command5);
    expected.insert(expected.end(), form.PERS.begin(), form.PERS.end());
    expected.insert(expected.end(), form.OptionButtons.begin(), form.OptionButtons.end());
    expected.insert(expected.end(), {form.AUT, form.AUT2, form.AUT3});

    std::vector<QWidget*> chain;
    for (QWidget* w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden())
            chain.push_back(w);
    ASSERT_EQ(chain.size(), expected.size());
    for (std::size_t i = 0; i < chain.size(); ++i)
        EXPECT_EQ(chain[i], expected[i]) << "position " << i << ": " << chain[i]->objectName().toStdString()
                                         << " instead of " << expected[i]->objectName().toStdString();
}

} // namespace
} // namespace tapfill::test
