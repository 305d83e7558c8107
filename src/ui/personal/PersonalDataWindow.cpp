#include "ui/personal/PersonalDataWindow.h"

#include "app/Version.h"
#include "storage/DataFiles.h"
#include "ui/main/DialogFont.h"
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

const char* const SlotLabels[PersonalSlots] = {
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

PersonalDataWindow::PersonalDataWindow(SharedState& state, platform::Dialogs& dialogs,
                                       std::filesystem::path dataDir, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), dialogs_(dialogs), dataDir_(std::move(dataDir)), owner_(owner)
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
    // Unloaded however it is closed: the next opening starts from PersonalData.
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = new QFrame(this);
    place(Frame1, QStringLiteral("Frame1"), 120, 120, 6975, 4695);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    // Positions inside the frame.
    for (int i = 0; i < PersonalSlots; ++i) {
        const int top = 360 + 360 * i;
        LB[i] = new QLabel(QLatin1String(SlotLabels[i]), Frame1);
        place(LB[i], QStringLiteral("LB(%1)").arg(i), 360, top, 1695, 255);
        LB[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setColour(LB[i], QPalette::WindowText, Qt::white);
        LL[i] = new QLineEdit(Frame1);
        place(LL[i], QStringLiteral("LL(%1)").arg(i), 2160, top, 4335, 285);
    }
    Command1 = new QPushButton(QStringLiteral("SAVE"), Frame1);
    place(Command1, QStringLiteral("Command1"), 4200, 4200, 1095, 375);
    Command2 = new QPushButton(QStringLiteral("BACK"), Frame1);
    place(Command2, QStringLiteral("Command2"), 5640, 4200, 975, 375);

    std::vector<QWidget*> order(LL.begin(), LL.end());
    order.insert(order.end(), {Command1, Command2});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Form_Load();
}

void PersonalDataWindow::Form_Load()
{
    for (int i = 0; i < PersonalSlots; ++i)
        LL[i]->setText(QString::fromStdString(state_.PersonalData[i]));
}

void PersonalDataWindow::Command1_Click()
{
    std::array<std::string, PersonalSlots> texts;
    for (int i = 0; i < PersonalSlots; ++i)
        texts[i] = LL[i]->text().toStdString();

    // A file that cannot be written keeps its old content, and so does
    // PersonalData: what was saved and what is in use stay the same.
    if (auto failure = storage::writePersonalFile(dataDir_, texts)) {
        dialogs_.messageBox(QStringLiteral("The personal data could not be saved to \"%1\": %2")
                                .arg(QString::fromStdString((dataDir_ / failure->file).string()),
                                     QString::fromStdString(failure->reason)),
                            QLatin1String(ApplicationTitle), platform::MsgBox::Exclamation);
        return;
    }
    for (int i = 0; i < PersonalSlots; ++i)
        state_.PersonalData[i] = texts[i];
}

void PersonalDataWindow::Command2_Click()
{
    for (int i = 0; i < PersonalSlots; ++i)
        state_.PersonalData[i] = LL[i]->text().toStdString();
    if (owner_)
        owner_->show();
    close(); // deletes the window once control is back in the event loop
}

} // namespace tapfill::ui
