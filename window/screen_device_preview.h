#pragma once

#include <cstdint>
#include <vector>

class FcGraph;

// The size of the picture a DWG file carries.
inline constexpr int kDrawingPreviewWidth = 180;
inline constexpr int kDrawingPreviewHeight = 104;

// Draws the drawing into the picture a DWG file carries, 180 x 104 pixels,
// and stores it as a packed 8-bit device-independent bitmap (header, colour
// table, rows). A drawing shown on a screen is drawn as it is shown; one
// without a screen device has its current space drawn, all of it in view,
// into a screen device of its own. False when no picture could be made.
bool RenderDrawingPreview(FcGraph& graph, std::vector<std::uint8_t>& dib);
