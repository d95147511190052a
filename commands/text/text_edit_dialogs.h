#pragma once

#include <cstdint>
#include <string>

class FcGraph;
class FcTextStyle;

// The editing dialogs of the text editing command that are still asked on
// the command line (a single line of text has its dialog). Each is filled
// by the caller, asks which field to change until Enter accepts (true) or
// Esc cancels (false, the fields as they were), and is read back after it
// accepts.

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
