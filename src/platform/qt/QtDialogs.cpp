#include "platform/qt/QtDialogs.h"

#include "platform/qt/MessageBoxStyle.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace tapfill::platform::qt {
namespace {

QMessageBox::StandardButton buttonFor(int answer)
{
    switch (answer) {
    case 1: return QMessageBox::Ok;
    case 2: return QMessageBox::Cancel;
    case 3: return QMessageBox::Abort;
    case 4: return QMessageBox::Retry;
    case 5: return QMessageBox::Ignore;
    case 6: return QMessageBox::Yes;
    case 7: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon iconFor(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::Critical: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Warning: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtDialogs::messageBox(const QString& text, const QString& title, int style)
{
    const MessageBoxStyle decoded = decodeMessageBoxStyle(style);
    QMessageBox box(iconFor(decoded.icon), title, text);
    std::map<QAbstractButton*, int> answerOf;
    for (std::size_t i = 0; i < decoded.answers.size(); ++i) {
        QPushButton* button = box.addButton(buttonFor(decoded.answers[i]));
        answerOf[button] = decoded.answers[i];
        if (static_cast<int>(i) == decoded.defaultIndex)
            box.setDefaultButton(button);
    }
    box.exec();
    // Closed without a button (Escape, the window's close box): the answer
    // Qt picks as the escape button, or Cancel when it picks none.
    auto it = answerOf.find(box.clickedButton());
    return it != answerOf.end() ? it->second : 2;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    QString text = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, defaultText,
                                         &accepted);
    return accepted ? text : QString();
}

} // namespace tapfill::platform::qt
