#include "core/pen_widths.h"

#include "core/floor_to_int.h"

void ScalePenWidths(double scale, PenWidthTable& table) {
  for (PenWidth& pen : table) pen.device_width = FloorToInt(pen.width * scale + 0.5);
}
