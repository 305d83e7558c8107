// The main window as it is built: every control found by its name, in its
// place, with its text and starting state; the two option groups; the order
// in which the keyboard walks the controls.

#include "support/AppFixture.h"

#include "ui/main/Icons.h"

#include <QFrame>
#include <QStyle>
#include <QTabBar>

#include <vector>

namespace tapfill::test {
namespace {

struct MainWindowLayout : AppFixture {
    /// `widget` is found by `name`, lies on `page` (if any) and in
    /// `container` at the given place, in twips.
    void expectPlaced(QWidget* widget, const QString& name, QWidget* page, QWidget* container, int left, int top,
                      int width, int height) const
    {
        const std::string id = name.toStdString();
        ASSERT_NE(widget, nullptr) << id;
        EXPECT_EQ(form.findChild<QWidget*>(name), widget) << id;
        EXPECT_TRUE(!page || page->isAncestorOf(widget)) << id;
        ASSERT_TRUE(container->isAncestorOf(widget)) << id;
        EXPECT_EQ(widget->mapTo(container, QPoint(0, 0)), QPoint(form.toPixels(left), form.toPixels(top))) << id;
        EXPECT_EQ(widget->size(), QSize(form.toPixels(width), form.toPixels(height))) << id;
    }
    QWidget* page(int index) const { return form.SSTab1->page(index); }
    static QString at(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }
};

QImage image(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

TEST_F(MainWindowLayout, WindowIsFixedAndCarriesTheActiveIconAndBothIconsComeInTrayAndWindowSizes)
{
    EXPECT_EQ(form.objectName(), "TFPRO");
    EXPECT_EQ(form.windowTitle(), "Tapfill v3.0.5");
    const QSize client(form.toPixels(2925), form.toPixels(6780));
    EXPECT_EQ(form.size(), client);
    EXPECT_TRUE(form.minimumSize() == client && form.maximumSize() == client);
    EXPECT_EQ(form.toPixels(480), 32) << "the offscreen screen is expected at 96 dpi";
    EXPECT_EQ(image(form.windowIcon(), 32), image(ui::activeIcon(), 32));
    for (int size : {16, 32}) {
        EXPECT_NE(image(ui::idleIcon(), size), image(ui::activeIcon(), size));
        for (const QIcon& icon : {ui::idleIcon(), ui::activeIcon()})
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

TEST_F(MainWindowLayout, SingleControlsTheirTextsAndTabPages)
{
    struct Control {
        QWidget* widget;
        const char* name;
        QWidget* container;
        int left, top, width, height;
        const char* text; ///< nullptr: no text to check
        QWidget* page;
    };
    const Control controls[] = {
        {form.Frame1, "Frame1", &form, 0, 0, 2895, 6735, nullptr, nullptr},
        {form.SSTab1, "SSTab1", form.Frame1, 120, 120, 2700, 4815, nullptr, nullptr},
        {form.SSTab2, "SSTab2", form.SSTab1, 0, 240, 2655, 4575, nullptr, page(2)},
        {form.C4, "C4", form.SSTab1, 120, 4320, 2415, 375, "CLICK HERE FOR DATA ", page(1)},
        {form.AUT3, "AUT3", form.SSTab1, 360, 480, 1575, 255, "Auto Advance", page(3)},
        {form.AUT, "AUT", form.SSTab1, 360, 1920, 1695, 255, "Auto Tab", page(3)},
        {form.AUT2, "AUT2", form.SSTab1, 360, 3120, 1815, 375, "Auto Carriage Return (ENTER)", page(3)},
        {form.Label4, "Label4", form.SSTab1, 240, 840, 2295, 855,
         "This option tells Tapfill to drop option field down one every time you click with  left mouse button "
         "in paste mode.", page(3)},
        {form.Label2, "Label2", form.SSTab1, 240, 2280, 2295, 735, nullptr, page(3)},
        {form.Label3, "Label3", form.SSTab1, 240, 3600, 2295, 1095, nullptr, page(3)},
        {form.Command3, "Command3", form.Frame1, 120, 5040, 615, 375, "SAVE", nullptr},
        {form.Command4, "Command4", form.Frame1, 840, 5040, 1095, 375, "SUSPEND", nullptr},
        {form.Command1, "Command1", form.Frame1, 2040, 5040, 735, 375, "HIDE", nullptr},
        {form.Command2, "Command2", form.Frame1, 1080, 6240, 855, 375, "PASTE", nullptr},
        {form.Command5, "Command5", form.Frame1, 2040, 6240, 735, 375, "EXIT", nullptr},
        {form.Label1, "Label1", form.Frame1, 120, 5460, 2655, 615,
         "Field next to option button will now auto paste wherever you left click. Right Click to change option "
         "button", nullptr},
        {form.Image1, "Image1", form.Frame1, 120, 6120, 480, 480, nullptr, nullptr},
        {form.Image2, "Image2", form.Frame1, 120, 6120, 480, 480, nullptr, nullptr},
    };
    for (const Control& c : controls) {
        expectPlaced(c.widget, c.name, c.page, c.container, c.left, c.top, c.width, c.height);
        EXPECT_TRUE(!c.text || c.widget->property("text").toString() == c.text) << c.name;
    }
    for (QCheckBox* box : {form.AUT, form.AUT2, form.AUT3})
        EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form.Frame1->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(form.Label1->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_TRUE(form.Label1->isHidden());
    EXPECT_TRUE(form.Image2->isHidden());
    EXPECT_FALSE(form.Image1->isHidden());
    EXPECT_EQ(form.Image1->pixmap().toImage(), image(ui::idleIcon(), 32));
    EXPECT_EQ(form.Image2->pixmap().toImage(), image(ui::activeIcon(), 32));

    const QStringList tabs{"1 LINE", "PERS", "MULTI", "OPT.", "MULTI 1", "MULTI 2", "MULTI 3"};
    ASSERT_EQ(form.SSTab1->count(), 4);
    ASSERT_EQ(form.SSTab2->count(), 3);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((i < 4 ? form.SSTab1 : form.SSTab2)->tabBar()->tabText(i % 4), tabs[i]);
    EXPECT_EQ(form.SSTab1->currentIndex(), 1) << "opens on PERS";
    EXPECT_EQ(form.SSTab2->currentIndex(), 0) << "opens on MULTI 1";
}

TEST_F(MainWindowLayout, RowsOfTheOneLinePersonalAndMultiLinePages)
{
    for (int i = 0; i < 12; ++i) {
        expectPlaced(form.O1[i], at("O1", i), page(0), form.SSTab1, 120, 480 + 360 * i, 255, 255);
        expectPlaced(form.I[i], at("I", i), page(0), form.SSTab1, 360, 480 + 360 * i, 2175, 285);
        EXPECT_FALSE(form.O1[i]->isChecked());
        EXPECT_TRUE(form.I[i]->text().isEmpty());
    }
    const QStringList captions{"FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
                               "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER"};
    for (int i = 0; i < 10; ++i) {
        expectPlaced(form.PERS[i], at("PERS", i), page(1), form.SSTab1, 480, 480 + 360 * i, 255, 255);
        expectPlaced(form.LL[i], at("LL", i), page(1), form.SSTab1, 840, 480 + 360 * i, 1695, 255);
        EXPECT_FALSE(form.PERS[i]->isChecked());
        EXPECT_EQ(form.LL[i]->text(), captions[i]);
        EXPECT_EQ(form.LL[i]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
    // Four described multi-line fields on each inner page.
    for (int k = 0; k < 12; ++k) {
        QWidget* innerPage = form.SSTab2->page(k / 4);
        QPlainTextEdit* box = form.ML[k];
        expectPlaced(form.Option(k + 1), QStringLiteral("Option%1").arg(k + 1), innerPage, form.SSTab2, 120,
                     480 + 960 * (k % 4), 2415, 255);
        expectPlaced(box, at("ML", k), innerPage, form.SSTab2, 120, 720 + 960 * (k % 4), 2415, 615);
        EXPECT_EQ(form.Option(k + 1)->text(), "Double Click to enter desc.");
        EXPECT_FALSE(form.Option(k + 1)->isChecked());
        EXPECT_TRUE(box->toPlainText().isEmpty());
        EXPECT_TRUE(box->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                    && box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff);
        EXPECT_TRUE(box->tabChangesFocus()) << "Tab walks on to the next control";
    }
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

TEST_F(MainWindowLayout, OneLineAndPersonalButtonsFormOneGroupAcrossTwoPagesTheMultiLineOnesAnother)
{
    ASSERT_EQ(form.lineAndPersonalGroup->buttons().size(), 22);
    ASSERT_EQ(form.multiLineGroup->buttons().size(), 12);
    form.Option(2)->click();  // page MULTI 1
    form.Option(11)->click(); // page MULTI 3
    EXPECT_EQ(selectedIndex(form.OptionButtons), 10);
    form.O1[5]->click();
    EXPECT_EQ(selectedIndex(form.O1), 5);

    form.PERS[3]->click();
    EXPECT_EQ(selectedIndex(form.PERS), 3);
    EXPECT_EQ(selectedIndex(form.O1), -1) << "PERS(3) clears O1(5) on the other page";
    EXPECT_EQ(selectedIndex(form.OptionButtons), 10) << "the multi-line selection is another group";

    form.O1[0]->click();
    EXPECT_EQ(selectedIndex(form.O1), 0);
    EXPECT_EQ(selectedIndex(form.PERS), -1);
    EXPECT_TRUE(form.Option(11)->isChecked());
}

TEST_F(MainWindowLayout, FocusOrderFollowsTheOriginalDesign)
{
    std::vector<QWidget*> expected{form.SSTab1->tabBar(), form.Command3, form.Command4, form.Command1,
                                   form.I[0], form.O1[0]};
    expected.insert(expected.end(), form.I.begin() + 1, form.I.begin() + 10);
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
