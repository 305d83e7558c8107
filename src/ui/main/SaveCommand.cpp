// SAVE: the window position, the one-line fields, the descriptions and the
// multi-line fields go to their data files. The personal data window saves
// the personal data itself.

#include "ui/main/MainWindow.h"

#include "model/ModelFiles.h"

namespace tapfill::ui {

void MainWindow::onSaveClicked()
{
    model_.windowLeft = leftTwips();
    model_.windowTop = topTwips();
    const auto failures = model::saveMainWindowData(dataDir_, model_);
    if (failures.empty())
        return; // success stays silent

    QString text = QStringLiteral("These files were not saved and keep their old content:\n");
    for (const auto& failure : failures)
        text += QStringLiteral("\n%1: %2").arg(QString::fromStdString(failure.file),
                                              QString::fromStdString(failure.reason));
    text += QStringLiteral("\n\nFolder: %1").arg(QString::fromStdString(dataDir_.string()));
    platform_.dialogs->messageBox(text, QStringLiteral("Tapfill"), platform::MsgBox::Exclamation);
}

} // namespace tapfill::ui
