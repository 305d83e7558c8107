#include "ui/personal/PersonalDataWindow.h"

#include "model/ModelFiles.h"
#include "ui/layout/Version.h"
#include "ui/layout/WindowLayout.h"
#include "ui/main/WidgetBuilder.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tapfill::ui {

PersonalDataWindow::PersonalDataWindow(model::AppModel& model, platform::Dialogs& dialogs,
                                       std::filesystem::path dataDir, QWidget* owner)
    : QWidget(owner, Qt::Window), model_(model), dialogs_(dialogs), dataDir_(std::move(dataDir)), owner_(owner)
{
    const BuiltWidgets built = buildWidgets(layout::personalDataWindowLayout(), *this);
    // Deleted however it is closed: the next opening starts from the model.
    setAttribute(Qt::WA_DeleteOnClose);

    frame = built.get<QFrame>("Frame1");
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        fieldLabels[i] = built.get<QLabel>(layout::indexedName("LB", i));
        fieldEdits[i] = built.get<QLineEdit>(layout::indexedName("LL", i));
        fieldEdits[i]->setText(QString::fromStdString(model_.text(model::FieldSet::Personal, i)));
    }
    saveButton = built.get<QPushButton>("Command1");
    backButton = built.get<QPushButton>("Command2");

    connect(saveButton, &QPushButton::clicked, this, [this] { onSaveClicked(); });
    connect(backButton, &QPushButton::clicked, this, [this] { onBackClicked(); });
}

std::array<std::string, model::PersonalFieldCount> PersonalDataWindow::typedTexts() const
{
    std::array<std::string, model::PersonalFieldCount> texts;
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        texts[i] = fieldEdits[i]->text().toStdString();
    return texts;
}

void PersonalDataWindow::onSaveClicked()
{
    // A file that cannot be written keeps its old content, and the texts in
    // use stay as they were: what was saved and what is pasted stay the same.
    if (auto failure = model::savePersonalData(dataDir_, model_, typedTexts())) {
        dialogs_.messageBox(QStringLiteral("The personal data could not be saved to \"%1\": %2")
                                .arg(QString::fromStdString((dataDir_ / failure->file).string()),
                                     QString::fromStdString(failure->reason)),
                            QLatin1String(ApplicationTitle), platform::MsgBox::Exclamation);
    }
}

void PersonalDataWindow::onBackClicked()
{
    const auto texts = typedTexts();
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        model_.setText(model::FieldSet::Personal, i, texts[i]);
    if (owner_)
        owner_->show();
    close(); // deletes the window once control is back in the event loop
}

} // namespace tapfill::ui
