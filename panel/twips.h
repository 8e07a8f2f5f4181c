#pragma once

// Panel coordinates are twips (1/1440 inch); windows are placed in pixels.
// One TwipScale per screen converts between the two by its resolution
// (15 twips per pixel at 96 dots per inch).

#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <cmath>

struct TwipScale
{
    double twipsPerPixel = 15.0;

    static TwipScale fromDpi(double dotsPerInch)
    {
        return {dotsPerInch > 0 ? 1440.0 / dotsPerInch : 15.0};
    }

    int toPixels(double twips) const { return int(std::lround(twips / twipsPerPixel)); }
    qint32 toTwips(int pixels) const { return qint32(std::lround(pixels * twipsPerPixel)); }
    QPoint toTwips(const QPoint &p) const { return {toTwips(p.x()), toTwips(p.y())}; }
    QPoint toPixels(const QPoint &twips) const { return {toPixels(twips.x()), toPixels(twips.y())}; }
};
