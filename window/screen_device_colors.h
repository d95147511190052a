#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

#include "display/display_device.h"

// Qt forms of the screen device's colours, pens and raster operations.

inline QColor ToQColor(FcColorRef color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// Widths of 0 and 1 give the one-pixel pen; wider pens have round ends and
// joins.
inline QPen SolidPen(const QColor& color, int width) {
  if (width <= 1) return QPen(color, 0);
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// One pixel drawn, one left, starting with a drawn pixel.
inline QPen DottedPen(const QColor& color) {
  QPen pen(color, 0);
  pen.setDashPattern({1.0, 1.0});
  return pen;
}

// The inverse of (pen xor destination) when inverse is set, else pen xor
// destination: either one, drawn twice, gives back the picture.
inline QPainter::CompositionMode XorMode(bool inverse) {
  return inverse ? QPainter::RasterOp_NotSourceXorDestination : QPainter::RasterOp_SourceXorDestination;
}
