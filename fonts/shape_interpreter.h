#pragma once

#include <cstdint>
#include <span>

class CShape;
class ShapeFontFile;

// The deepest chain of subshape references a glyph may make.
inline constexpr int kMaxSubshapeDepth = 16;

// Runs the shape bytes (name first) of one shape of the font into the
// shape's pieces and advance. All state lives in the call, so any thread
// may interpret at any time. False for bytes that break the shape format
// (arguments past the shape's end, a scale divided or multiplied by 0, a
// bulge out of range, subshapes nested too deep); the pieces are then not
// to be drawn.
bool InterpretShape(const ShapeFontFile& font, std::span<const std::uint8_t> bytes, CShape& shape);
