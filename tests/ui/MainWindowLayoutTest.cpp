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
    QWidget* page(int index) const { return form.pages->page(index); }
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
        {form.frame, "Frame1", &form, 0, 0, 2895, 6735, nullptr, nullptr},
        {form.pages, "SSTab1", form.frame, 120, 120, 2700, 4815, nullptr, nullptr},
        {form.multiLinePages, "SSTab2", form.pages, 0, 240, 2655, 4575, nullptr, page(2)},
        {form.personalDataButton, "C4", form.pages, 120, 4320, 2415, 375, "CLICK HERE FOR DATA ", page(1)},
        {form.autoAdvanceBox, "AUT3", form.pages, 360, 480, 1575, 255, "Auto Advance", page(3)},
        {form.autoTabBox, "AUT", form.pages, 360, 1920, 1695, 255, "Auto Tab", page(3)},
        {form.autoEnterBox, "AUT2", form.pages, 360, 3120, 1815, 375, "Auto Carriage Return (ENTER)", page(3)},
        {form.autoAdvanceHelp, "Label4", form.pages, 240, 840, 2295, 855,
         "This option tells Tapfill to drop option field down one every time you click with  left mouse button "
         "in paste mode.", page(3)},
        {form.autoTabHelp, "Label2", form.pages, 240, 2280, 2295, 735, nullptr, page(3)},
        {form.autoEnterHelp, "Label3", form.pages, 240, 3600, 2295, 1095, nullptr, page(3)},
        {form.saveButton, "Command3", form.frame, 120, 5040, 615, 375, "SAVE", nullptr},
        {form.suspendButton, "Command4", form.frame, 840, 5040, 1095, 375, "SUSPEND", nullptr},
        {form.hideButton, "Command1", form.frame, 2040, 5040, 735, 375, "HIDE", nullptr},
        {form.pasteButton, "Command2", form.frame, 1080, 6240, 855, 375, "PASTE", nullptr},
        {form.exitButton, "Command5", form.frame, 2040, 6240, 735, 375, "EXIT", nullptr},
        {form.pasteInstructions, "Label1", form.frame, 120, 5460, 2655, 615,
         "Field next to option button will now auto paste wherever you left click. Right Click to change option "
         "button", nullptr},
        {form.idlePicture, "Image1", form.frame, 120, 6120, 480, 480, nullptr, nullptr},
        {form.activePicture, "Image2", form.frame, 120, 6120, 480, 480, nullptr, nullptr},
    };
    for (const Control& c : controls) {
        expectPlaced(c.widget, c.name, c.page, c.container, c.left, c.top, c.width, c.height);
        EXPECT_TRUE(!c.text || c.widget->property("text").toString() == c.text) << c.name;
    }
    for (QCheckBox* box : {form.autoTabBox, form.autoEnterBox, form.autoAdvanceBox})
        EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form.frame->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(form.pasteInstructions->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_TRUE(form.pasteInstructions->isHidden());
    EXPECT_TRUE(form.activePicture->isHidden());
    EXPECT_FALSE(form.idlePicture->isHidden());
    EXPECT_EQ(form.idlePicture->pixmap().toImage(), image(ui::idleIcon(), 32));
    EXPECT_EQ(form.activePicture->pixmap().toImage(), image(ui::activeIcon(), 32));

    const QStringList tabs{"1 LINE", "PERS", "MULTI", "OPT.", "MULTI 1", "MULTI 2", "MULTI 3"};
    ASSERT_EQ(form.pages->count(), 4);
    ASSERT_EQ(form.multiLinePages->count(), 3);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ((i < 4 ? form.pages : form.multiLinePages)->tabBar()->tabText(i % 4), tabs[i]);
    EXPECT_EQ(form.pages->currentIndex(), 1) << "opens on PERS";
    EXPECT_EQ(form.multiLinePages->currentIndex(), 0) << "opens on MULTI 1";
}

TEST_F(MainWindowLayout, RowsOfTheOneLinePersonalAndMultiLinePages)
{
    for (int i = 0; i < 12; ++i) {
        expectPlaced(form.oneLineButtons[i], at("O1", i), page(0), form.pages, 120, 480 + 360 * i, 255, 255);
        expectPlaced(form.oneLineEdits[i], at("I", i), page(0), form.pages, 360, 480 + 360 * i, 2175, 285);
        EXPECT_FALSE(form.oneLineButtons[i]->isChecked());
        EXPECT_TRUE(form.oneLineEdits[i]->text().isEmpty());
    }
    const QStringList captions{"FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
                               "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER"};
    for (int i = 0; i < 10; ++i) {
        expectPlaced(form.personalButtons[i], at("PERS", i), page(1), form.pages, 480, 480 + 360 * i, 255, 255);
        expectPlaced(form.personalLabels[i], at("LL", i), page(1), form.pages, 840, 480 + 360 * i, 1695, 255);
        EXPECT_FALSE(form.personalButtons[i]->isChecked());
        EXPECT_EQ(form.personalLabels[i]->text(), captions[i]);
        EXPECT_EQ(form.personalLabels[i]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
    // Four described multi-line fields on each inner page.
    for (int k = 0; k < 12; ++k) {
        QWidget* innerPage = form.multiLinePages->page(k / 4);
        QPlainTextEdit* box = form.multiLineEdits[k];
        expectPlaced(form.multiLineButtons[k], QStringLiteral("Option%1").arg(k + 1), innerPage, form.multiLinePages, 120,
                     480 + 960 * (k % 4), 2415, 255);
        expectPlaced(box, at("ML", k), innerPage, form.multiLinePages, 120, 720 + 960 * (k % 4), 2415, 615);
        EXPECT_EQ(form.multiLineButtons[k]->text(), "Double Click to enter desc.");
        EXPECT_FALSE(form.multiLineButtons[k]->isChecked());
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
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{form.multiLineButtons[0], form.autoTabBox, form.autoAdvanceBox})
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
    // "Auto Carriage Return (ENTER)" takes two lines beside its box.
    const int indicator = form.autoEnterBox->style()->pixelMetric(QStyle::PM_IndicatorWidth)
                          + form.autoEnterBox->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    const QRect wrapped = form.autoEnterBox->fontMetrics().boundingRect(
        QRect(0, 0, form.autoEnterBox->width() - indicator, 1000), Qt::TextWordWrap, form.autoEnterBox->text());
    EXPECT_LE(wrapped.height(), 2 * form.autoEnterBox->fontMetrics().lineSpacing());
    // A line's height counts ascent, descent and one more row for the baseline.
    EXPECT_LE(wrapped.height() - 1, form.autoEnterBox->height());
    for (QLabel* label : {form.pasteInstructions, form.autoTabHelp, form.autoEnterHelp, form.autoAdvanceHelp})
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
}

TEST_F(MainWindowLayout, OneLineAndPersonalButtonsFormOneGroupAcrossTwoPagesTheMultiLineOnesAnother)
{
    ASSERT_EQ(form.lineAndPersonalGroup->buttons().size(), 22);
    ASSERT_EQ(form.multiLineGroup->buttons().size(), 12);
    form.multiLineButtons[1]->click();  // page MULTI 1
    form.multiLineButtons[10]->click(); // page MULTI 3
    EXPECT_EQ(selectedIndex(form.multiLineButtons), 10);
    form.oneLineButtons[5]->click();
    EXPECT_EQ(selectedIndex(form.oneLineButtons), 5);

    form.personalButtons[3]->click();
    EXPECT_EQ(selectedIndex(form.personalButtons), 3);
    EXPECT_EQ(selectedIndex(form.oneLineButtons), -1) << "a personal field clears the one-line choice on the other page";
    EXPECT_EQ(selectedIndex(form.multiLineButtons), 10) << "the multi-line selection is another group";

    form.oneLineButtons[0]->click();
    EXPECT_EQ(selectedIndex(form.oneLineButtons), 0);
    EXPECT_EQ(selectedIndex(form.personalButtons), -1);
    EXPECT_TRUE(form.multiLineButtons[10]->isChecked());
}

TEST_F(MainWindowLayout, FocusOrderFollowsTheOriginalDesign)
{
    std::vector<QWidget*> expected{form.pages->tabBar(), form.saveButton, form.suspendButton, form.hideButton,
                                   form.oneLineEdits[0], form.oneLineButtons[0]};
    expected.insert(expected.end(), form.oneLineEdits.begin() + 1, form.oneLineEdits.begin() + 10);
    expected.insert(expected.end(), {form.personalDataButton, form.oneLineEdits[10], form.oneLineEdits[11], form.multiLinePages->tabBar()});
    expected.insert(expected.end(), form.multiLineEdits.begin(), form.multiLineEdits.end());
    expected.push_back(form.pasteButton);
    expected.insert(expected.end(), form.oneLineButtons.begin() + 1, form.oneLineButtons.end());
    expected.push_back(form.exitButton);
    expected.insert(expected.end(), form.personalButtons.begin(), form.personalButtons.end());
    expected.insert(expected.end(), form.multiLineButtons.begin(), form.multiLineButtons.end());
    expected.insert(expected.end(), {form.autoTabBox, form.autoEnterBox, form.autoAdvanceBox});

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
