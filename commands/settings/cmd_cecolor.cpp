#include <string>

#include "commands/settings/settings_commands.h"
#include "commands/settings/variable_answers.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/draw_sink.h"
#include "database/graph.h"
#include "database/object.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kVariable = "cecolor";
constexpr int kByBlock = 0;

std::string ColorName(int color) {
  if (color == kColorByLayer) return "ByLayer";
  if (color == kByBlock) return "ByBlock";
  return IntToString(color);
}

}  // namespace

int CmdCeColor() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  SetKeywords("BYLayer BYBlock", 0);
  int color = 0;
  std::string text;
  const int status =
      GetInteger("New value for CECOLOR <\"" + ColorName(ShortSysVar(*graph, kVariable)) + "\">", color, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_KEYWORD) return kStatusDone;
  if (status == FC_INPUT_KEYWORD) color = EqualsNoCase(text, "BYLayer") ? kColorByLayer : kByBlock;
  SetCurrentColor(*graph, color);
  return kStatusDone;
}
