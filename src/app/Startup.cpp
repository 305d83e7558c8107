// Start-up: warn when another copy seems to run, mark this one as running,
// put the icon in the tray, switch paste mode off and load the data files.

#include "app/Application.h"

#include "paste/PasteEngine.h"
#include "storage/DataFiles.h"
#include "storage/NumberText.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MultiLineText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tapfill {

namespace {
constexpr const char* TwoCopiesText =
    "Running two copies of Tapfill simultaneously will disrupt your system!!! (see Readme.txt)     "
    "Do you want to continue ?";
constexpr const char* TwoCopiesTitle = "Tapfill Two copy Warning";
constexpr int TwoCopiesStyle =
    platform::MsgBox::YesNo + platform::MsgBox::Critical + platform::MsgBox::DefaultButton2;
} // namespace

Application::Application(platform::Platform& platform, std::filesystem::path dataDir,
                         std::function<void(int)> endProcess)
    : platform_(platform), dataDir_(std::move(dataDir)), endProcess_(std::move(endProcess))
{
    TFPRO = std::make_unique<ui::MainWindow>(state, platform_, dataDir_);
    engine = std::make_unique<paste::PasteEngine>(*TFPRO, state, platform_);
    connect(TFPRO->Command5, &QAbstractButton::clicked, this, [this] { Command5_Click(); });
    connect(TFPRO.get(), &ui::MainWindow::unloading, this, [this] { Form_Unload(); });
}

bool Application::Form_Load()
{
    if (!confirmSecondCopy()) {
        Form_Unload();
        endProcess_(0);
        return false;
    }
    loaded_ = true;
    platform_.settings->saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "1");
    TFPRO->TrayAdd();
    TFPRO->setActiveFlag(0);
    loadDataFiles();

    // Without a tray the icon cannot be double-clicked, and the program
    // would be out of reach: show the window instead.
    if (!platform_.tray->trayAvailable())
        TFPRO->show();
    return true;
}

bool Application::confirmSecondCopy()
{
    const std::string flag = platform_.settings->getSetting(RunningFlagApplication, RunningFlagSection,
                                                            RunningFlagKey, "");
    if (storage::readNumber(flag) != 1)
        return true;
    return platform_.dialogs->messageBox(QString::fromLatin1(TwoCopiesText), QString::fromLatin1(TwoCopiesTitle),
                                         TwoCopiesStyle) == platform::MsgBox::AnswerYes;
}

void Application::loadDataFiles()
{
    ui::MainWindow& form = *TFPRO;

    storage::OneLineFile oneLine;
    oneLine.left = form.leftTwips();
    oneLine.top = form.topTwips();
    for (int i = 0; i < OneLineFields; ++i)
        oneLine.fields[i] = form.I[i]->text().toStdString();
    storage::readOneLineFile(dataDir_, oneLine);
    form.moveToTwips(oneLine.left, oneLine.top);
    for (int i = 0; i < OneLineFields; ++i)
        form.I[i]->setText(QString::fromStdString(oneLine.fields[i]));

    storage::readPersonalFile(dataDir_, state.PersonalData);

    std::array<std::string, 12> multiLine;
    for (int k = 0; k < MultiLineFields; ++k)
        multiLine[k] = ui::toFileText(form.ML[k]->toPlainText());
    storage::readMultiLineFiles(dataDir_, multiLine);
    for (int k = 0; k < MultiLineFields; ++k)
        form.ML[k]->setPlainText(ui::fromFileText(multiLine[k]));

    storage::readCaptionFile(dataDir_, state.Descriptions);
    for (int k = 0; k < MultiLineFields; ++k)
        form.setDescription(k + 1, QString::fromStdString(state.Descriptions[k]));
}

} // namespace tapfill
