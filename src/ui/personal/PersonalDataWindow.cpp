#include "ui/personal/PersonalDataWindow.h"

#include "model/ModelFiles.h"
#include "ui/layout/Version.h"
#include "ui/main/DialogFont.h"
#include "ui/main/OneLine.h"
#include "ui/main/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <vector>

namespace tapfill::ui {

namespace {

const QColor FormBlue(0, 0, 255);

const char* const SlotLabels[model::PersonalFieldCount] = {
    "FIRST NAME:", "LAST NAME:", "COMPANY NAME:", "ADDRESS 1:",     "ADDRESS 2:",
    "CITY:",       "STATE:",     "ZIP CODE:",     "EMAIL ADDRESS:", "PHONE NUMBER:",
};

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

PersonalDataWindow::PersonalDataWindow(model::AppModel& model, platform::Dialogs& dialogs,
                                       std::filesystem::path dataDir, QWidget* owner)
    : QWidget(owner, Qt::Window), model_(model), dialogs_(dialogs), dataDir_(std::move(dataDir)), owner_(owner)
{
    auto place = [this](QWidget* widget, const QString& name, int left, int top, int width, int height) {
        widget->setObjectName(name);
        widget->setGeometry(twipsRect(*this, left, top, width, height));
    };

    setObjectName(QStringLiteral("TFDATA"));
    setWindowTitle(QStringLiteral("DATA INPUT FORM"));
    // The form has no icon of its own; without this it would take the owner's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
    setFont(dialogFont());
    setFixedSize(twipsToPixels(*this, 7245), twipsToPixels(*this, 4965));
    setColour(this, QPalette::Window, FormBlue);
    setAutoFillBackground(true);
    // Deleted however it is closed: the next opening starts from the model.
    setAttribute(Qt::WA_DeleteOnClose);

    frame = new QFrame(this);
    place(frame, QStringLiteral("Frame1"), 120, 120, 6975, 4695);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);

    // Positions inside the frame.
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        const int top = 360 + 360 * i;
        fieldLabels[i] = new QLabel(QLatin1String(SlotLabels[i]), frame);
        place(fieldLabels[i], QStringLiteral("LB(%1)").arg(i), 360, top, 1695, 255);
        fieldLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setColour(fieldLabels[i], QPalette::WindowText, Qt::white);
        fieldEdits[i] = new QLineEdit(QString::fromStdString(model_.text(model::FieldSet::Personal, i)), frame);
        place(fieldEdits[i], QStringLiteral("LL(%1)").arg(i), 2160, top, 4335, 285);
        keepOnOneLine(fieldEdits[i]);
    }
    saveButton = new QPushButton(QStringLiteral("SAVE"), frame);
    place(saveButton, QStringLiteral("Command1"), 4200, 4200, 1095, 375);
    backButton = new QPushButton(QStringLiteral("BACK"), frame);
    place(backButton, QStringLiteral("Command2"), 5640, 4200, 975, 375);

    std::vector<QWidget*> order(fieldEdits.begin(), fieldEdits.end());
    order.insert(order.end(), {saveButton, backButton});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

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
