#pragma once
// One-line texts never hold a line break: each line of the data files holds
// one text, and a break inside one would shift every text after it. A break
// that comes in (pasted into a box, typed into a dialog) becomes one blank.

#include <QLineEdit>
#include <QRegularExpression>
#include <QString>

namespace tapfill::ui {

/// `text` with each CR LF, lone CR and lone LF replaced by one blank.
inline QString onOneLine(QString text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.replace(lineBreak, QStringLiteral(" "));
}

/// Keeps what the user types or pastes into `edit` on one line. Texts put
/// there from the data files are left as they are.
inline void keepOnOneLine(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString single = onOneLine(text);
        if (single == text)
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(single);
        edit->setCursorPosition(cursor - static_cast<int>(text.size() - single.size()));
    });
}

} // namespace tapfill::ui
