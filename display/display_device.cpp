#include "display/display_device.h"

void FcDisplayDevice::CopyState(const FcDisplayDevice& other) {
  width = other.width;
  height = other.height;
  SetLineWidth(other.lineWidth);
  SetColor(other.color);
  colorMode = other.colorMode;
}

void FcDisplayDevice::SetPen(int) {}
