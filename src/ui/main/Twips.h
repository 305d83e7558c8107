#pragma once
// Window layouts are given in twips (1/1440 inch): 15 twips a pixel at 96 dpi.

#include <QPaintDevice>
#include <QRect>
#include <QtMath>

namespace tapfill::ui {

inline int twipsToPixels(const QPaintDevice& device, int twips)
{
    return qRound(twips * device.logicalDpiX() / 1440.0);
}

inline QRect twipsRect(const QPaintDevice& device, int left, int top, int width, int height)
{
    return {twipsToPixels(device, left), twipsToPixels(device, top), twipsToPixels(device, width),
            twipsToPixels(device, height)};
}

} // namespace tapfill::ui
