// The real Qt dialogs, answered by a simulated user while they are open.

#include "support/InputEvents.h"
#include "support/QtTestApp.h"

#include "platform/qt/QtDialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <map>

namespace tapfill::test {
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

struct QtDialogsTest : QtTest {
    platform::qt::QtDialogs dialogs;
};

// Enter on the two-copies warning (Yes, No, the second the default) is met in
// the e2e tests.
TEST_F(QtDialogsTest, EachButtonAnswersItsNumberEscapeAnswersCancelOrNoAndTheTextsAndIconShow)
{
    using Button = QMessageBox::StandardButton;
    const std::map<Button, int> number = {{QMessageBox::Ok, 1},    {QMessageBox::Cancel, 2}, {QMessageBox::Abort, 3},
                                          {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}, {QMessageBox::Yes, 6},
                                          {QMessageBox::No, 7}};
    const std::pair<int, Button> cases[] = {{0, QMessageBox::Ok},    {1, QMessageBox::Cancel}, {2, QMessageBox::Abort},
                                            {2, QMessageBox::Retry}, {2, QMessageBox::Ignore}, {3, QMessageBox::Yes},
                                            {4, QMessageBox::No},    {5, QMessageBox::Retry}};
    for (const auto& [style, button] : cases) {
        whenOpen<QMessageBox>([button = button](QMessageBox& box) { box.button(button)->click(); });
        EXPECT_EQ(dialogs.messageBox("text", "title", style), number.at(button)) << style;
    }
    QString shown;
    for (const auto& [style, answer] : {std::pair{1, 2}, std::pair{4 + 16, 7}}) {
        whenOpen<QMessageBox>([&](QMessageBox& box) {
            shown = box.windowTitle() + "|" + box.text() + "|" + QString::number(box.icon());
            pressKey(&box, Qt::Key_Escape);
        });
        EXPECT_EQ(dialogs.messageBox("text", "title", style), answer) << style;
    }
    EXPECT_EQ(shown, "title|text|" + QString::number(QMessageBox::Critical));
}

TEST_F(QtDialogsTest, InputBoxReturnsTheTypedTextOrNothingOnCancel)
{
    QString shown;
    whenOpen<QInputDialog>([&](QInputDialog& input) {
        shown = input.windowTitle() + "|" + input.labelText() + "|" + input.textValue();
        input.setTextValue("Home address");
        input.accept();
    });
    EXPECT_EQ(dialogs.inputBox("Enter a description", "Description", "Double Click"), "Home address");
    EXPECT_EQ(shown, "Description|Enter a description|Double Click");

    whenOpen<QInputDialog>([](QInputDialog& input) {
        input.setTextValue("typed, then cancelled");
        input.reject();
    });
    EXPECT_EQ(dialogs.inputBox("prompt", "title", "default"), "");
}

} // namespace
} // namespace tapfill::test
