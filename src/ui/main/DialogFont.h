#pragma once
// The windows' text font. The layouts were made for MS Sans Serif 8.25 pt,
// a narrow face; where it is missing, a condensed face keeps every caption
// inside its control. A desktop with neither keeps its own family.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace tapfill::ui {

inline QFont dialogFont()
{
    QFont font = QApplication::font();
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"MS Sans Serif", "DejaVu Sans Condensed", "Liberation Sans Narrow"}) {
        if (installed.contains(QLatin1String(family))) {
            font.setFamily(QLatin1String(family));
            break;
        }
    }
    font.setPointSizeF(8.25);
    return font;
}

} // namespace tapfill::ui
