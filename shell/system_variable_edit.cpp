#include "shell/system_variable_edit.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>

#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/undo_setting_items.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

constexpr std::array<std::string_view, 8> kReadOnlyNames{"Area",     "ucsorg",   "ucsxdir",  "ucsydir",
                                                         "snapbase", "snapunit", "gridunit", "dwgtitled"};

bool IsReadOnly(const std::string& upperName, int type) {
  if (type == kResTypeString || upperName.find("DIM") != std::string::npos) return true;
  for (std::string_view name : kReadOnlyNames)
    if (EqualsNoCase(name, upperName)) return true;
  return false;
}

}  // namespace

std::string ToUpperAscii(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::optional<std::string> ShownSysVarValue(FcGraph& graph, const FcResBuf& value) {
  switch (value.type) {
    case kResTypeReal:
      return FormatDecimal(graph.GetSysVars().luprec, value.realValue);
    case kResTypeShort:
      return IntToString(value.intValue);
    case kResTypePoint2d: {
      FormattedPoint shown = FormatPoint(FcPoint2d{value.x, value.y}, &graph);
      return shown.x + "," + shown.y;
    }
    case kResTypeString:
      return value.text != nullptr && *value.text != '\0' ? std::string(value.text) : std::string("\"\"");
    default:
      return std::nullopt;
  }
}

bool AskSysVarValue(FcGraph& graph, const std::string& prompt, int type, FcResBuf& answer) {
  std::string text;
  answer.type = static_cast<std::int16_t>(type);
  switch (type) {
    case kResTypeReal:
      return GetReal(prompt, answer.realValue, text) == FC_INPUT_OK;
    case kResTypeShort:
      return GetInteger(prompt, answer.intValue, text) == FC_INPUT_OK;
    case kResTypePoint2d: {
      FcPoint2d point;
      if (GetPoint(nullptr, prompt, point, text) != FC_INPUT_OK) return false;
      // The value was shown and typed in the current UCS; the variable
      // keeps world coordinates.
      TransformPoint(graph.GetSysVars().UcsToWorld, point);
      answer.x = point.x;
      answer.y = point.y;
      return true;
    }
    case kResTypeString:
      return GetString(prompt, text) == FC_INPUT_OK && answer.SetString(text.c_str());
    default:
      return false;
  }
}

bool RecordSysVarUndo(FcGraph& graph, std::string_view name, std::string_view itemName) {
  auto* item = new (std::nothrow) FcSysVarUndoItem;
  if (item == nullptr) {
    PrintMessage("No enough memory!");
    return false;
  }
  item->AddVariable(graph, name);
  item->SetName(itemName);
  AddUndoItem(graph, item);
  return true;
}

bool EditSystemVariable(const std::string& upperName) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return false;
  FcResBuf current;
  if (graph->GetSysVar(upperName, current) != FcSysVarResult::kDone) return false;
  std::optional<std::string> shown = ShownSysVarValue(*graph, current);
  if (!shown) return true;
  if (IsReadOnly(upperName, current.type)) {
    PrintMessage("Value of " + upperName + " is " + *shown + ".(Readonly)");
    return true;
  }
  FcResBuf answer;
  if (AskSysVarValue(*graph, "New value for " + upperName + "<" + *shown + ">", current.type, answer) &&
      RecordSysVarUndo(*graph, upperName))
    graph->SetSysVar(upperName, answer);
  return true;
}
