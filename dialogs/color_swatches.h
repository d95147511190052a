#pragma once

#include <QColor>
#include <cstdint>

class QPainter;
class QRect;

// The colours the settings keep as RGB numbers, red in the low byte.
QColor FromStoredRgb(std::uint32_t rgb);
std::uint32_t ToStoredRgb(const QColor& color);

// The palette colour of an index colour (black outside 0 to 255).
QColor IndexQColor(int index);

// Colour 7 as a swatch: white above the diagonal from the bottom-left to
// the top-right corner, black below it, since it is white on a dark
// background and black on a light one.
void DrawWhiteBlackSwatch(QPainter& painter, const QRect& rect, bool framed);

// A swatch of an index colour: 7 as above, any other as a rectangle in its
// palette colour, framed in black or in its own colour.
void DrawColorSwatch(QPainter& painter, const QRect& rect, int index, bool framed);

// "Others...": red, green and blue bands in a black frame.
void DrawTrueColorSwatch(QPainter& painter, const QRect& rect);
