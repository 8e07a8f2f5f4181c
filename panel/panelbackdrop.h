#pragma once

// What the panel paints beneath its buttons, without widgets: the size at
// which the background image is drawn, the size of the surface that carries
// image, grid and figures, the picture itself (window colour, image, grid,
// figures, the selected figure's handles, in that order) and the redraw
// countdown of the move timer.

#include "panel/figures.h"
#include "panel/twips.h"
#include "settings/panelmodel.h"

#include <QImage>
#include <QSize>

class QPainter;

// The image's drawn size in pixels by ImageStretch: natural, the client
// area (fit to window), ImageWidth x ImageHeight, or the natural size scaled
// by ImageXScale / ImageYScale percent, rounded to whole pixels. Empty when
// either direction comes out 0 or less: such an image is not painted.
QSize drawnImageSize(const ImageSettings &image, const QSize &natural, const QSize &clientPixels);

struct PanelLayout
{
    QSize drawnImage;          // pixels; empty when no image is painted
    qint32 surfaceWidth = 0;   // twips
    qint32 surfaceHeight = 0;
    bool gridShown = false;
    QSize surfacePixels;       // the surface in pixels, as the window is sized
};

// The surface reaches as far as the drawn image, every figure and `reach`
// (the client area, and here also the furthest button), each in twips. The
// grid is drawn when `gridShown` (never in the execution state).
PanelLayout layoutPanel(const PanelState &panel, const QSize &naturalImage, const QSize &clientPixels,
                        const QSize &reachPixels, const TwipScale &scale, bool gridShown);

// A surface is never made wider or taller than this many pixels, whatever a
// file says about its figures or image.
constexpr int MaxSurfacePixels = 4'000'000;

// Paints the part `exposed` (pixels) of the surface. `image` is the loaded
// image at its natural size, or already at the drawn size.
void paintPanel(QPainter &painter, const QRect &exposed, const PanelState &panel,
                const PanelLayout &layout, const QImage &image, const TwipScale &scale);

// Reads a background image (BMP, GIF, JPEG or any format the platform reads).
// A file that cannot be read gives a null image.
QImage loadPanelImage(const QString &path);

// One tick of the move timer's redraw countdown: a redraw while any is owed,
// and after the last one the scroll back to the origin when it was asked for.
struct RedrawTick
{
    bool redraw = false;
    bool scrollToOrigin = false;
};
RedrawTick redrawTick(PanelRuntime::Redraws &countdown);
