// The main window as it is built: what it says, how it starts, that every
// control can be reached by a click and shows its caption whole, and the two
// option groups.

#include "support/AppFixture.h"

#include "ui/main/Icons.h"

#include <QStyle>
#include <QTabBar>

namespace tapfill::test {
namespace {

using MainWindowLayout = AppFixture;

QImage image(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

TEST_F(MainWindowLayout, TheTwoIconsAreToldApartInTrayAndWindowSizesAndEachPictureShowsItsOwn)
{
    for (int size : {16, 32})
        EXPECT_NE(image(ui::idleIcon(), size), image(ui::activeIcon(), size)) << size;
    EXPECT_EQ(form.idlePicture->pixmap().toImage(), image(ui::idleIcon(), 32));
    EXPECT_EQ(form.activePicture->pixmap().toImage(), image(ui::activeIcon(), 32));
}

TEST_F(MainWindowLayout, PersonalButtonsNameTheirSlotsAndTheStartHasNoOptionNoSelectionAndEmptyFields)
{
    // The buttons of the PERS page choose what is pasted: each must name its slot.
    const QStringList personal{"FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
                               "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER"};
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        EXPECT_EQ(form.personalLabels[i]->text(), personal[i]);

    // An option on from the start would send keys the user never asked for.
    for (QCheckBox* box : {form.autoTabBox, form.autoEnterBox, form.autoAdvanceBox})
        EXPECT_FALSE(box->isChecked());
    for (QAbstractButton* button : form.findChildren<QRadioButton*>())
        EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
    for (QLineEdit* edit : form.oneLineEdits)
        EXPECT_TRUE(edit->text().isEmpty());
    for (QPlainTextEdit* box : form.multiLineEdits) {
        EXPECT_TRUE(box->toPlainText().isEmpty());
        EXPECT_TRUE(box->tabChangesFocus()) << "Tab walks on to the next control";
    }
    EXPECT_TRUE(form.pasteInstructions->isHidden() && form.activePicture->isHidden() && !form.idlePicture->isHidden());
    EXPECT_EQ(form.multiLinePages->currentIndex(), 0) << "opens on MULTI 1";
}

TEST_F(MainWindowLayout, OnEveryPageEveryControlLiesInItsContainerAndTakesAClickInItsMiddle)
{
    form.show();
    acceptClicks(); // the instructions and the active picture show
    ASSERT_TRUE(form.pasteInstructions->isVisible() && form.activePicture->isVisible());
    for (const auto& [outer, inner] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {3, 0}}) {
        form.pages->setCurrentIndex(outer);
        form.multiLinePages->setCurrentIndex(inner);
        std::vector<QWidget*> shown;
        for (QWidget* widget : form.findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget)
                                 || qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QLabel*>(widget);
            if (control && widget->isVisible() && !qobject_cast<QTabBar*>(widget->parentWidget()))
                shown.push_back(widget);
        }
        for (QWidget* widget : shown) {
            const std::string name = widget->objectName().toStdString();
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry())) << name << " is cut off";
            QWidget* hit = form.childAt(widget->mapTo(&form, widget->rect().center()));
            EXPECT_TRUE(hit == widget || widget->isAncestorOf(hit)) << name << " is covered, page " << outer << inner;
            // Neighbours may share one row of pixels, no more.
            for (QWidget* other : shown) {
                EXPECT_TRUE(other == widget || other->parentWidget() != widget->parentWidget()
                            || !widget->geometry().adjusted(1, 1, -1, -1).intersects(other->geometry()))
                    << name << " overlaps " << other->objectName().toStdString();
            }
        }
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

} // namespace
} // namespace tapfill::test
