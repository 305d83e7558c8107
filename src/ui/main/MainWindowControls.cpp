// The main window's controls, made from the window's description, and the
// names the rest of the window knows them by.

#include "ui/layout/WindowLayout.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WidgetBuilder.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tapfill::ui {

using layout::indexedName;

void MainWindow::buildControls()
{
    // A window of fixed size: minimise and close, but nothing to maximise.
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const BuiltWidgets built = buildWidgets(layout::mainWindowLayout(), *this);

    frame = built.get<QFrame>("Frame1");
    pages = built.get<TabStrip>("SSTab1");
    multiLinePages = built.get<TabStrip>("SSTab2");
    for (int i = 0; i < model::OneLineFieldCount; ++i) {
        oneLineButtons[i] = built.get<QRadioButton>(indexedName("O1", i));
        oneLineEdits[i] = built.get<QLineEdit>(indexedName("I", i));
    }
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        personalButtons[i] = built.get<QRadioButton>(indexedName("PERS", i));
        personalLabels[i] = built.get<QLabel>(indexedName("LL", i));
    }
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        multiLineButtons[k] = built.get<QRadioButton>("Option" + std::to_string(k + 1));
        multiLineEdits[k] = built.get<QPlainTextEdit>(indexedName("ML", k));
    }
    autoTabBox = built.get<QCheckBox>("AUT");
    autoEnterBox = built.get<QCheckBox>("AUT2");
    autoAdvanceBox = built.get<QCheckBox>("AUT3");
    autoTabHelp = built.get<QLabel>("Label2");
    autoEnterHelp = built.get<QLabel>("Label3");
    autoAdvanceHelp = built.get<QLabel>("Label4");
    hideButton = built.get<QPushButton>("Command1");
    pasteButton = built.get<QPushButton>("Command2");
    saveButton = built.get<QPushButton>("Command3");
    suspendButton = built.get<QPushButton>("Command4");
    exitButton = built.get<QPushButton>("Command5");
    personalDataButton = built.get<QPushButton>("C4");
    pasteInstructions = built.get<QLabel>("Label1");
    idlePicture = built.get<QLabel>("Image1");
    activePicture = built.get<QLabel>("Image2");
    lineAndPersonalGroup = built.group("SSTab1");
    multiLineGroup = built.group("SSTab2");
}

} // namespace tapfill::ui
