// The real Qt dialogs, answered by a simulated user while they are open.

#include "TestApplication.h"

#include "platform/qt/QtDialogs.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using tapfill::platform::qt::QtDialogs;

namespace {

/// Runs `act` on the dialog once it is open (modal and active).
template <typename Dialog>
void whenOpen(std::function<void(Dialog&)> act)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, poll] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            act(*dialog);
        else
            QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

void pressKey(QWidget& widget, int key)
{
    QWidget* target = widget.focusWidget() ? widget.focusWidget() : &widget;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

class QtDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
    QtDialogs dialogs;
};

} // namespace

TEST_F(QtDialogsTest, TwoCopiesWarningShowsYesAndNoWithNoAsDefault)
{
    QMessageBox::StandardButtons shown;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    whenOpen<QMessageBox>([&](QMessageBox& box) {
        shown = box.standardButtons();
        icon = box.icon();
        title = box.windowTitle();
        text = box.text();
        pressKey(box, Qt::Key_Return); // the default button
    });
    const int answer = dialogs.messageBox("Running two copies?", "Warning", 4 + 16 + 256);
    EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(title, "Warning");
    EXPECT_EQ(text, "Running two copies?");
    EXPECT_EQ(answer, 7) << "Enter picks No, the default";
}

TEST_F(QtDialogsTest, EachButtonAnswersItsNumber)
{
    const std::pair<int, QMessageBox::StandardButton> cases[] = {
        {0, QMessageBox::Ok},     {1, QMessageBox::Cancel}, {2, QMessageBox::Abort},
        {2, QMessageBox::Retry},  {2, QMessageBox::Ignore}, {3, QMessageBox::Yes},
        {4, QMessageBox::No},     {5, QMessageBox::Retry},
    };
    const std::map<QMessageBox::StandardButton, int> number = {
        {QMessageBox::Ok, 1},    {QMessageBox::Cancel, 2}, {QMessageBox::Abort, 3},
        {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}, {QMessageBox::Yes, 6},
        {QMessageBox::No, 7},
    };
    for (const auto& [style, button] : cases) {
        whenOpen<QMessageBox>([button = button](QMessageBox& box) { box.button(button)->click(); });
        EXPECT_EQ(dialogs.messageBox("text", "title", style), number.at(button)) << style;
    }
}

TEST_F(QtDialogsTest, EscapeAnswersCancelOrNo)
{
    whenOpen<QMessageBox>([](QMessageBox& box) { pressKey(box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.messageBox("text", "title", 1), 2);
    whenOpen<QMessageBox>([](QMessageBox& box) { pressKey(box, Qt::Key_Escape); });
    EXPECT_EQ(dialogs.messageBox("text", "title", 4), 7);
}

TEST_F(QtDialogsTest, InputBoxReturnsTheTypedTextOrNothingOnCancel)
{
    QString label, shownDefault;
    whenOpen<QInputDialog>([&](QInputDialog& input) {
        label = input.labelText();
        shownDefault = input.textValue();
        input.setTextValue("Home address");
        input.accept();
    });
    EXPECT_EQ(dialogs.inputBox("Enter a description", "Description", "Double Click"),
              "Home address");
    EXPECT_EQ(label, "Enter a description");
    EXPECT_EQ(shownDefault, "Double Click");

    whenOpen<QInputDialog>([](QInputDialog& input) {
        input.setTextValue("typed, then cancelled");
        input.reject();
    });
    EXPECT_EQ(dialogs.inputBox("prompt", "title", "default"), "");
}
