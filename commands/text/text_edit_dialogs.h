#pragma once

#include <cstdint>
#include <string>

class FcGraph;
class FcTextStyle;

// The editing dialogs of the text editing command, asked on the command
// line until the dialogs are built. Each is filled by the caller, asks
// which field to change until Enter accepts (true) or Esc cancels (false,
// the fields as they were), and is read back after it accepts.

// "Change Text": one line of text and its look.
struct TextEditFields {
  std::string text;
  double height = 0.0;
  double widthFactor = 0.0;
  double obliqueDegrees = 0.0;
  // Kept when the typed name is no style of the drawing.
  FcTextStyle* style = nullptr;
  std::string layer;
  // 0 ByBlock, 1 to 255, 256 ByLayer.
  std::int16_t color = 256;
};
bool AskTextEdit(FcGraph& graph, TextEditFields& fields);

// "MText": the text with its lines parted by CR LF and, when properties
// is set, its style, height, layer and colour.
struct MTextEditFields {
  std::string text;
  bool properties = true;
  std::string style;
  double height = 0.0;
  std::string layer;
  std::int16_t color = 256;
};
bool AskMTextEdit(FcGraph& graph, MTextEditFields& fields);
