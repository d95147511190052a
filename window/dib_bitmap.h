#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

class CDib;
struct CPalette;

// Pictures between their packed form (CDib, which knows no Qt) and the
// images the window paints: toolbar buttons, previews, the screen's copy.

// The picture as an image the window can paint, rows top-down. A null
// image when the picture is empty or run-length compressed.
QImage CreateBitmap(const CDib& dib);

// Makes the picture from an image: 8 bits with the image's own colour
// table for an image of 8 bits or less, 24 bits otherwise. With
// a palette the picture has 8 bits and that palette's colours, each pixel
// taking the nearest one. False, with the picture as it was, for a null
// image.
bool CreateFromBitmap(CDib& dib, const QImage& bitmap, const CPalette* palette);

// Paints the whole picture with its top-left corner at (x, y), combined
// with what is there by the mode. False when there is nothing to paint.
bool Draw(const CDib& dib, QPainter& target, int x, int y,
          QPainter::CompositionMode mode = QPainter::CompositionMode_Source);

// Copies the source rectangle of the image onto the destination rectangle:
// pixel for pixel when both have the same size, else each destination
// pixel taking the nearest source pixel, never a blend.
void StretchBitmap(const QRect& destination, QPainter& target, const QImage& bitmap, const QRect& source,
                   QPainter::CompositionMode mode = QPainter::CompositionMode_Source);

// Paints the image at (x, y) except its pixels of the transparent colour,
// where the target keeps what it had.
void DrawTransparentBitmap(QPainter& target, const QImage& bitmap, int x, int y, QRgb transparent);
