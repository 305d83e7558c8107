#include "ui/tray/TrayMenu.h"

#include "ui/layout/Texts.h"

#include <QAction>

namespace tapfill::ui {

TrayMenu::TrayMenu(model::AppModel& model, engine::PasteEngine& engine, Commands commands)
    : model_(model), commands_(std::move(commands))
{
    showWindowAction = menu.addAction(QString::fromLatin1(texts::ShowWindowItem));
    pasteModeAction = menu.addAction(QString::fromLatin1(texts::PasteModeItem));
    pasteModeAction->setCheckable(true);
    autostartAction = menu.addAction(QString::fromLatin1(texts::AutostartItem));
    autostartAction->setCheckable(true);
    menu.addSeparator();
    exitAction = menu.addAction(QString::fromLatin1(texts::ExitItem));

    connect(showWindowAction, &QAction::triggered, this, [this] { commands_.showWindow(); });
    // The check mark only mirrors the model: the engine decides, as for a
    // double click on the icon.
    connect(pasteModeAction, &QAction::triggered, this, [this, &engine] {
        engine.togglePasteModeWithWindow();
        refresh();
    });
    pasteModeChanged_ = model_.pasteModeChanged.connect([this](bool) { refresh(); });
    connect(autostartAction, &QAction::triggered, this, [this](bool on) {
        std::string error;
        if (!commands_.setAutostart(on, error))
            commands_.reportFailure(error);
        refresh();
    });
    connect(exitAction, &QAction::triggered, this, [this] { commands_.exit(); });
    connect(&menu, &QMenu::aboutToShow, this, &TrayMenu::refresh);
    refresh();
}

void TrayMenu::refresh()
{
    pasteModeAction->setChecked(model_.pasteMode());
    autostartAction->setChecked(commands_.autostartEnabled());
}

} // namespace tapfill::ui
