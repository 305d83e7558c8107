// SAVE: the window position, the one-line fields, the descriptions and the
// multi-line fields go to their data files. The personal data window saves
// the personal data itself.

#include "ui/main/MainWindow.h"
#include "ui/main/MultiLineText.h"

#include "storage/DataFiles.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace tapfill::ui {

void MainWindow::Command3_Click()
{
    storage::OneLineFile oneLine;
    oneLine.left = leftTwips();
    oneLine.top = topTwips();
    for (int i = 0; i < OneLineFields; ++i)
        oneLine.fields[i] = I[i]->text().toStdString();

    for (int k = 0; k < MultiLineFields; ++k)
        state_.Descriptions[k] = description(k + 1).toStdString();

    std::array<std::string, 12> multiLine;
    for (int k = 0; k < MultiLineFields; ++k)
        multiLine[k] = toFileText(ML[k]->toPlainText());

    const auto failures = storage::saveMainWindowData(dataDir_, oneLine, state_.Descriptions, multiLine);
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
