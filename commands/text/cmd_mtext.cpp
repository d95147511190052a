#include <algorithm>
#include <cmath>
#include <string>

#include "commands/command_support.h"
#include "commands/dialogs/mtext_dlg.h"
#include "commands/text/text_commands.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "entities/entity_listing.h"
#include "entities/mtext.h"
#include "platform/frame_link.h"
#include "shell/modal_dialog.h"
#include "shell/input_request.h"

namespace {

const char* const kAttachmentKeywords[] = {"TL", "TC", "TR", "ML", "MC", "MR", "BL", "BC", "BR"};

// What the prompts before the text settle.
struct MTextBox {
  FcPoint2d first;   // UCS
  FcPoint2d second;  // UCS
  double height = 0.0;
  double rotation = 0.0;
  int attachment = kMTextTopLeft;
  std::int16_t spacingStyle = 1;
  double spacingFactor = 1.0;
};

// One option of the corner prompt; false when the command ends.
bool AskOption(FcGraph& graph, const std::string& option, MTextBox& box) {
  FcSystemVar& vars = graph.GetSysVars();
  std::string text;
  if (option == "Height") {
    SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
    double height = 0.0;
    const int status =
        GetDistance(&box.first, "Text height<" + FormatDrawingDistance(vars.textsize, &graph) + ">", height, text);
    if (status == FC_INPUT_NONE) {
      box.height = vars.textsize;
      return true;
    }
    if (status != FC_INPUT_OK) return false;
    box.height = height;
    vars.textsize = height;
    return true;
  }
  if (option == "Rotation") {
    double angle = 0.0;
    const int status = GetAbsoluteAngle(&box.first, "Angle<0.0>", angle, text);
    if (status == FC_INPUT_NONE) angle = 0.0;
    if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
    box.rotation = angle;
    return true;
  }
  if (option == "Justification") {
    SetKeywords("TL TC TR ML MC MR BL BC BR", 0);
    std::string keyword;
    const int status = GetKeyword("Specify the justification: TL/TC/TR/ML/MC/MR/BL/BC/BR<Topleft>", keyword, text);
    if (status == FC_INPUT_NONE) {
      box.attachment = kMTextTopLeft;
      return true;
    }
    if (status != FC_INPUT_OK) return false;
    const auto* found = std::find(std::begin(kAttachmentKeywords), std::end(kAttachmentKeywords), keyword);
    if (found == std::end(kAttachmentKeywords)) return false;
    box.attachment = static_cast<int>(found - std::begin(kAttachmentKeywords)) + 1;
    return true;
  }
  SetKeywords("Atleast Exact", 0);
  std::string keyword;
  const int status = GetKeyword("Atleast/Exact<At least>", keyword, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
  box.spacingStyle = status == FC_INPUT_OK && keyword == "Exact" ? 2 : 1;
  double factor = 1.0;
  const int factorStatus = GetReal("Line space factor<1.0>", factor, text);
  if (factorStatus == FC_INPUT_NONE) factor = 1.0;
  if (factorStatus != FC_INPUT_OK && factorStatus != FC_INPUT_NONE) return false;
  box.spacingFactor = factor;
  return true;
}

// The corners and options; false when the command ends.
bool AskBox(FcGraph& graph, MTextBox& box) {
  std::string text;
  if (GetPoint(nullptr, "First corner of MText", box.first, text) != FC_INPUT_OK) return false;
  const FcTextStyle* style = graph.GetCurrentTextStyle();
  box.height = style != nullptr && style->GetFixedHeight() > 0.0 ? style->GetFixedHeight() : graph.GetSysVars().textsize;
  for (;;) {
    SetKeywords("Height Justification Rotation Linespace", 0);
    const int status =
        GetCorner(box.first, "Opposite corner of MText or [Height/Justification/Rotation/Linespace]", box.second, text);
    if (status == FC_INPUT_OK) break;
    if (status != FC_INPUT_KEYWORD || !AskOption(graph, text, box)) return false;
  }
  while (box.second.x == box.first.x) {
    PrintMessage("Invalid corner!");
    if (GetCorner(box.first, "Opposite corner of MText", box.second, text) != FC_INPUT_OK) return false;
  }
  return true;
}

FcPoint2d AttachmentPoint(const MTextBox& box) {
  const double minX = std::min(box.first.x, box.second.x);
  const double maxX = std::max(box.first.x, box.second.x);
  const double minY = std::min(box.first.y, box.second.y);
  const double maxY = std::max(box.first.y, box.second.y);
  const int column = (box.attachment - 1) % 3;
  const int row = (box.attachment - 1) / 3;
  const double x = column == 0 ? minX : column == 1 ? (minX + maxX) / 2.0 : maxX;
  const double y = row == 0 ? maxY : row == 1 ? (minY + maxY) / 2.0 : minY;
  return {x, y};
}

// The dialog filled with the drawing's current style, layer and colour
// and the height the prompts settled.
void FillDialog(FcGraph& graph, double height, CMTextDlg& dialog) {
  dialog.m_pGraph = &graph;
  const FcTextStyle* style = graph.GetCurrentTextStyle();
  dialog.m_strStyle = style != nullptr ? style->GetName() : std::string();
  const FcLayer* layer = graph.GetCurrentLayer();
  dialog.m_strLayer = layer != nullptr ? layer->GetName().c_str() : std::string();
  dialog.m_nColor = graph.GetSysVars().cecolor;
  dialog.m_dHeight = height;
}

}  // namespace

int CmdMText() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "MText", FcUndoSection::Steps::kWholeRun);
  MTextBox box;
  if (!AskBox(*graph, box)) return kStatusDone;
  CMTextDlg dialog;
  FillDialog(*graph, box.height, dialog);
  // An empty text would be an entity nobody can see or pick.
  if (RunModalDialog(dialog) != CModalDialog::kOk || dialog.m_strText.empty()) return kStatusDone;
  // The dialog's choices are the new text's own; the drawing's current
  // style, layer and colour stay as they are.
  FcTextStyle* style = graph->GetTextStyleList().Find(dialog.m_strStyle);
  FcLayer* layer = graph->GetLayerList().FindByName(dialog.m_strLayer);
  const FcSystemVar& vars = graph->GetSysVars();
  FcMText* text = NewEntityOrReport<FcMText>();
  if (text == nullptr) return kStatusDone;
  text->SetContents(StoredLineBreaks(dialog.m_strText));
  text->SetStyle(style != nullptr ? style : graph->GetCurrentTextStyle());
  text->SetInsertionPoint(UcsToWorldPoint(*graph, AttachmentPoint(box)));
  text->SetAttachment(static_cast<std::uint8_t>(box.attachment));
  text->SetReferenceWidth(std::fabs(box.second.x - box.first.x));
  text->SetHeight(std::fabs(dialog.m_dHeight));
  const double angle = vars.UcsAngle + box.rotation;
  text->SetXDirection({std::cos(angle), std::sin(angle)});
  text->SetLineSpacingFactor(box.spacingFactor);
  text->SetLineSpacingStyle(box.spacingStyle);
  text->SetLayer(layer != nullptr ? layer : graph->GetCurrentLayer());
  if (dialog.m_nColor >= 0 && dialog.m_nColor <= 256) text->SetColor(dialog.m_nColor);
  if (vars.celtscale > 0.0) text->SetLinetypeScale(vars.celtscale);
  text->SetLinetype(graph->GetCurrentLinetype());
  section.AddCopy(text);
  return kStatusDone;
}
