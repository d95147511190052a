#include "commands/text/text_edit_dialogs.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string_view>
#include <vector>

#include "commands/dialogs/input_text_dlg.h"
#include "core/value_format.h"
#include "core/value_parse.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/object.h"
#include "database/text_style.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

// One field of a dialog: its keyword and how it is asked; false when the
// question was cancelled.
struct Field {
  const char* keyword;
  std::function<bool()> ask;
};

// Asks which field to change until Enter accepts or Esc cancels.
bool AskFields(std::string_view title, const std::vector<Field>& fields) {
  std::string keywords;
  std::string shown;
  for (const Field& field : fields) {
    if (!keywords.empty()) {
      keywords += ' ';
      shown += '/';
    }
    keywords += field.keyword;
    shown += field.keyword;
  }
  const std::string prompt = std::string(title) + " [" + shown + "] <OK>";
  for (;;) {
    SetKeywords(keywords, 0);
    std::string keyword;
    std::string text;
    const int status = GetKeyword(prompt, keyword, text);
    if (status == FC_INPUT_NONE) return true;
    if (status != FC_INPUT_OK) return false;
    const auto chosen = std::find_if(fields.begin(), fields.end(),
                                     [&keyword](const Field& field) { return keyword == field.keyword; });
    if (chosen != fields.end() && !chosen->ask()) return false;
  }
}

std::string Shown(double value) { return FormatDecimal(4, value); }

// A name with the current one as default; Enter keeps it.
bool AskName(std::string_view prompt, const std::string& current, std::string& name) {
  std::string text;
  const int status = GetString(std::string(prompt) + " <" + current + ">", text);
  if (status == FC_INPUT_CANCEL) return false;
  name = status == FC_INPUT_OK ? text : std::string();
  return true;
}

// A number with the current one as default; Enter keeps it. Negative
// heights and width factors are refused with the dialog's message.
bool AskNumber(std::string_view prompt, double& value, bool refuseNegative) {
  std::string text;
  double answer = 0.0;
  const int status = GetReal(std::string(prompt) + " <" + Shown(value) + ">", answer, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  if (refuseNegative && answer < 0.0) {
    PrintMessage(CInputTextDlg::kNegativeRefused);
    return true;
  }
  value = answer;
  return true;
}

// A style by name with the current one as default: found stays null on
// Enter and for a name the drawing lacks (said so).
bool AskStyle(FcGraph& graph, const std::string& current, FcTextStyle*& found) {
  found = nullptr;
  std::string name;
  if (!AskName("Text style", current, name)) return false;
  if (name.empty()) return true;
  found = graph.GetTextStyleList().Find(name);
  if (found == nullptr) PrintMessage("Can't find the style " + name);
  return true;
}

Field NumberField(const char* keyword, const char* prompt, double& value, bool refuseNegative) {
  return {keyword, [prompt, &value, refuseNegative] { return AskNumber(prompt, value, refuseNegative); }};
}

Field LayerField(FcGraph& graph, std::string& layer) {
  return {"LAyer", [&graph, &layer] {
            std::string name;
            if (!AskName("Layer", layer, name)) return false;
            if (name.empty()) return true;
            const FcLayer* found = graph.GetLayerList().FindByName(name);
            if (found == nullptr) {
              PrintMessage("Can't find the layer " + name);
              return true;
            }
            layer = found->GetName().c_str();
            return true;
          }};
}

// A colour by its name ("ByLayer", "Red", ...) or number 0 to 256.
bool ParseColor(const std::string& text, std::int16_t& color) {
  for (std::int16_t index : {0, 1, 2, 3, 4, 5, 6, 7, 256}) {
    if (EqualsNoCase(text, ColorIndexToText(index))) {
      color = index;
      return true;
    }
  }
  int number = 0;
  if (!ParseInteger(text, number) || number < 0 || number > 256) return false;
  color = static_cast<std::int16_t>(number);
  return true;
}

Field ColorField(std::int16_t& color) {
  return {"Color", [&color] {
            std::string text;
            if (!AskName("Color", ColorIndexToText(color), text)) return false;
            if (!text.empty() && !ParseColor(text, color)) PrintMessage("Invalid color " + text);
            return true;
          }};
}

// The lines of a multiline text, parted by CR LF: the current ones shown,
// then new ones typed until an empty line.
bool AskLines(std::string& text) {
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    PrintMessage(std::string(rest.substr(0, end)));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
  }
  std::string lines;
  for (;;) {
    std::string line;
    const int status = GetString("Input text", line);
    if (status == FC_INPUT_CANCEL) return false;
    if (status != FC_INPUT_OK || line.empty()) break;
    if (!lines.empty()) lines += "\r\n";
    lines += line;
  }
  text = lines;
  return true;
}

}  // namespace

bool AskMTextEdit(FcGraph& graph, MTextEditFields& fields) {
  MTextEditFields edited = fields;
  std::vector<Field> menu = {{"Text", [&edited] { return AskLines(edited.text); }}};
  if (edited.properties) {
    menu.push_back({"Style", [&graph, &edited] {
                      FcTextStyle* found = nullptr;
                      if (!AskStyle(graph, edited.style, found)) return false;
                      if (found != nullptr) edited.style = found->GetName();
                      return true;
                    }});
    menu.push_back(NumberField("Height", "Text height", edited.height, false));
    menu.push_back(LayerField(graph, edited.layer));
    menu.push_back(ColorField(edited.color));
  }
  if (!AskFields("Edit multiline text", menu)) return false;
  fields = edited;
  return true;
}
