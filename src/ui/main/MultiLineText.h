#pragma once
// Line breaks of multi-line fields: the files hold CR LF between lines, the
// text boxes and the clipboard a plain LF.

#include <QString>

#include <string>

namespace tapfill::ui {

/// File text to box text: CR LF, a lone CR and a lone LF each become one LF.
inline QString fromFileText(const std::string& utf8)
{
    QString text = QString::fromStdString(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

/// Box text to file text: every line break becomes CR LF.
inline std::string toFileText(const QString& text)
{
    return QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

} // namespace tapfill::ui
