#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_support.h"
#include "commands/modify/clipboard_drawing.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/paste_drags.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/block.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/insert.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "files/graph_insert.h"
#include "platform/clipboard.h"
#include "platform/code_page_conversion.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

// The "Paste" group of the drawing's undo list, closed however the paste
// ends, so that one Undo takes back all of it.
class PasteUndoGroup {
 public:
  explicit PasteUndoGroup(FcGraph& graph) : list_(graph.GetUndoList()) { list_.BeginGroup("Paste"); }
  ~PasteUndoGroup() { list_.EndGroup(); }
  PasteUndoGroup(const PasteUndoGroup&) = delete;
  PasteUndoGroup& operator=(const PasteUndoGroup&) = delete;

 private:
  FcUndoList& list_;
};

// A scale: Enter gives the default; a value within the tolerance of zero
// leaves it. False when the prompt was ended otherwise.
bool AskScale(const std::string& prompt, double& scale) {
  SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
  double value = 0.0;
  std::string text;
  const int status = GetReal(prompt, value, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  if (std::fabs(value) > kTolerance) scale = value;
  return true;
}

// Where the reference goes, its scales and its turn, each shown on the
// preview as soon as it is known; false when a prompt was ended.
bool AskPlacement(FcGraph& graph, FcInsert& insert) {
  FcDragInsert preview(insert);
  FcPoint2d ucsPoint;
  std::string text;
  SetDragObject(&preview);
  if (GetPoint(nullptr, "Insert point", ucsPoint, text) != FC_INPUT_OK) return false;
  insert.SetInsertionPoint(UcsToWorldPoint(graph, ucsPoint));
  double xScale = 1.0;
  if (!AskScale("X Scale<1.0>", xScale)) return false;
  insert.SetXScale(xScale);
  double yScale = xScale;
  if (!AskScale("Y Scale<" + FormatDecimal(graph.GetSysVars().luprec, xScale) + ">", yScale)) return false;
  insert.SetYScale(yScale);
  preview.stage = FcDragInsert::kRotating;
  SetDragObject(&preview);
  double rotation = 0.0;
  const int status = GetAngle(&ucsPoint, "Rotate angle<0.0>", rotation, text);
  if (status == FC_INPUT_NONE) {
    rotation = 0.0;
  } else if (status != FC_INPUT_OK) {
    return false;
  }
  insert.SetRotation(rotation);
  return true;
}

// The clipboard's drawing comes in as a block (a whole-drawing snapshot
// takes it back) and a reference to it is placed.
void PasteEntities(FcGraph& graph) {
  auto pasted = std::make_unique<FcGraph>();
  if (!ReadClipboardDrawing(*pasted)) return;
  PasteUndoGroup group(graph);
  auto snapshot = std::unique_ptr<FcCombGraphUndoItem>(new (std::nothrow) FcCombGraphUndoItem);
  if (snapshot == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return;
  }
  // What Undo could not take back is not pasted.
  if (!snapshot->Backup(graph)) {
    PrintMessage("Can't back up the drawing for undo!");
    return;
  }
  snapshot->SetName("Paste");
  FcBlock* block = InsertDrawing(graph, *pasted);
  if (block == nullptr) return;
  AddUndoItem(graph, snapshot.release());
  auto insert = std::unique_ptr<FcInsert>(NewEntityOrReport<FcInsert>());
  if (insert == nullptr) return;
  insert->SetBlockRecord(block);
  if (!AskPlacement(graph, *insert)) return;
  FcUndoSection section(graph, "Paste", FcUndoSection::Steps::kWholeRun);
  section.AddCreated(insert.release());
}

// The clipboard's lines as the paragraphs of a multiline text: a run of
// line breaks is one paragraph break, and a 0 byte ends the text.
std::string ParagraphsOf(std::string_view text) {
  std::string contents;
  bool inBreak = false;
  for (const char c : text) {
    if (c == '\0') break;
    if (c == '\r' || c == '\n') {
      if (!inBreak) contents += "\\P";
      inBreak = true;
      continue;
    }
    inBreak = false;
    contents += c;
  }
  return contents;
}

// The height of the newest text of model space, else the current style's
// fixed height, else TEXTSIZE.
double PastedTextHeight(const FcGraph& graph) {
  const FcBlockList& blocks = graph.GetBlockList();
  if (FcBlock* model = blocks.FindByHandle(blocks.GetModelSpaceHandle())) {
    const FcEntitySets& entities = model->GetEntities();
    for (int i = entities.GetCount() - 1; i >= 0; --i) {
      const FcEntity* entity = entities.GetAt(i);
      if (const auto* text = dynamic_cast<const FcText*>(entity)) return text->GetHeight();
      if (const auto* mtext = dynamic_cast<const FcMText*>(entity)) return mtext->GetHeight();
    }
  }
  const FcTextStyle* style = graph.GetCurrentTextStyle();
  if (style != nullptr && style->GetFixedHeight() > 0.0) return style->GetFixedHeight();
  return graph.GetSysVars().textsize;
}

// The clipboard's text becomes a multiline text where the user points.
void PasteText(FcGraph& graph) {
  std::vector<char> bytes;
  if (!GetClipboardData(kTextClipboardFormat, bytes)) return;
  const std::string utf8 = ParagraphsOf(std::string_view(bytes.data(), bytes.size()));
  if (utf8.empty()) return;
  auto text = std::unique_ptr<FcMText>(NewEntityOrReport<FcMText>());
  if (text == nullptr) return;
  text->SetContents(Utf8ToCodePage(utf8, graph.GetSysVars().dwgcodepage));
  text->SetStyle(graph.GetCurrentTextStyle());
  const double height = PastedTextHeight(graph);
  if (height >= 0.0) text->SetHeight(height);
  FcDragPasteText preview(*text);
  SetDragObject(&preview);
  FcPoint2d ucsPoint;
  std::string answer;
  if (GetPoint(nullptr, "Specify insertion point", ucsPoint, answer) != FC_INPUT_OK) return;
  text->SetInsertionPoint(UcsToWorldPoint(graph, ucsPoint));
  FcUndoSection section(graph, "Paste", FcUndoSection::Steps::kWholeRun);
  section.AddCreated(text.release());
}

}  // namespace

// Whichever of the program's drawing and plain text the clipboard lists
// first is pasted.
int CmdPasteClip() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::vector<std::string> formats;
  if (!GetClipboardFormats(formats)) return kStatusDone;
  const auto first = std::find_if(formats.begin(), formats.end(), [](const std::string& format) {
    return format == kDrawingClipboardFormat || format == kTextClipboardFormat;
  });
  if (first == formats.end()) return kStatusDone;
  if (*first == kDrawingClipboardFormat) {
    PasteEntities(*graph);
  } else {
    PasteText(*graph);
  }
  return kStatusDone;
}
