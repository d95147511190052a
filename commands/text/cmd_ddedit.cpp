#include <cmath>
#include <string>
#include <string_view>

#include "commands/dialogs/att_edt_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/mtext_dlg.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/text/text_commands.h"
#include "commands/undo_section.h"
#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "entities/attribute.h"
#include "entities/dimension.h"
#include "entities/mtext.h"
#include "entities/text.h"
#include "entities/tolerance.h"
#include "platform/frame_link.h"
#include "shell/entity_select_filter.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"
#include "shell/select_objects.h"

namespace {

const char* const kEditableTypes[] = {"TEXT", "MTEXT", "ATTDEF", "DIMENSION", "TOLERANCE"};

// The drawing picks only through the filter while the scope lasts.
class FilterScope {
 public:
  FilterScope(FcGraph& graph, FcSelectFilter& filter) : graph_(graph), previous_(graph.GetSelectFilter()) {
    graph_.SetSelectFilter(&filter);
  }
  ~FilterScope() { graph_.SetSelectFilter(previous_); }
  FilterScope(const FilterScope&) = delete;
  FilterScope& operator=(const FilterScope&) = delete;

 private:
  FcGraph& graph_;
  FcSelectFilter* previous_;
};

std::string LayerName(const FcEntity& entity) {
  const FcLayer* layer = entity.GetLayer();
  return layer != nullptr ? layer->GetName().c_str() : "0";
}

void SetLayerAndColor(FcGraph& graph, FcEntity& entity, const std::string& layerName, std::int16_t color) {
  if (FcLayer* layer = graph.GetLayerList().FindByName(layerName)) entity.SetLayer(layer);
  if (color >= 0 && color <= 256) entity.SetColor(color);
}

// A height of 0 asks for the style's fixed height, else TEXTSIZE.
double HeightOrDefault(const FcGraph& graph, const FcTextStyle* style, double height) {
  if (height > 0.0) return height;
  if (style != nullptr && style->GetFixedHeight() > 0.0) return style->GetFixedHeight();
  return graph.GetSysVars().textsize;
}

bool RecordEdited(FcUndoSection& section, FcEntity& entity) {
  FcEntitySets changed(1);
  changed.Add(&entity);
  return section.RecordChanged(changed);
}

// An entity whose text was emptied is erased, so that Undo brings it back;
// any other is recorded before it changes. True when the caller goes on
// to change it.
bool RecordOrErase(FcUndoSection& section, FcEntity& entity, bool emptied) {
  if (!emptied) return RecordEdited(section, entity);
  FcEntitySets erased(1);
  erased.Add(&entity);
  section.EraseRecorded(erased);
  return false;
}

// Draws the edited entity again and shows it, so that the next pick sees
// it as it now is.
void Refresh(FcGraph& graph, FcEntity& entity) {
  graph.RedrawEntity(&entity);
  graph.Redraw();
}

int EditSingleLineText(FcGraph& graph, FcText& text) {
  CInputTextDlg dialog;
  dialog.m_strText = text.GetText();
  dialog.m_dHeight = text.GetHeight();
  dialog.m_dWidthFactor = text.GetWidthFactor();
  dialog.m_dObliqueAngle = text.GetObliqueAngle() * kRadToDeg;
  dialog.m_pStyleList = &graph.GetTextStyleList();
  dialog.m_pTextStyle = text.GetStyle();
  dialog.m_pGraph = &graph;
  dialog.m_strLayer = LayerName(text);
  dialog.m_nColor = text.GetColor();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  FcUndoSection section(graph, "EditText", FcUndoSection::Steps::kWholeRun);
  if (!RecordOrErase(section, text, dialog.m_strText.empty())) return kStatusDone;
  // Without a style chosen (a drawing without styles) the text keeps its own.
  FcTextStyle* style = dialog.m_pTextStyle != nullptr ? dialog.m_pTextStyle : text.GetStyle();
  text.SetText(dialog.m_strText);
  text.SetStyle(style);
  text.SetHeight(HeightOrDefault(graph, style, std::fabs(dialog.m_dHeight)));
  text.SetWidthFactor(dialog.m_dWidthFactor);
  text.SetObliqueAngle(dialog.m_dObliqueAngle * kDegToRad);
  SetLayerAndColor(graph, text, dialog.m_strLayer, dialog.m_nColor);
  Refresh(graph, text);
  return kStatusDone;
}

std::int16_t AttributeFlags(const CAttEdtDlg& dialog) {
  // A constant attribute is never asked for, so it has nothing to verify
  // or preset.
  const std::int16_t invisible = dialog.m_bInvisible != 0 ? kAttributeInvisible : 0;
  if (dialog.m_bConstant != 0) return invisible | kAttributeConstant;
  return static_cast<std::int16_t>(invisible | (dialog.m_bVerify != 0 ? kAttributeVerify : 0) |
                                   (dialog.m_bPreset != 0 ? kAttributePreset : 0));
}

int EditAttributeDef(FcGraph& graph, FcAttributeDef& definition) {
  CAttEdtDlg dialog;
  dialog.m_strTag = definition.GetTag();
  dialog.m_strPrompt = definition.GetPrompt();
  dialog.m_strValue = definition.GetText();
  dialog.m_pStyleList = &graph.GetTextStyleList();
  dialog.m_pStyle = definition.GetStyle();
  dialog.m_dHeight = definition.GetHeight();
  dialog.m_dWidthFactor = definition.GetWidthFactor();
  dialog.m_dOblique = definition.GetObliqueAngle() * kRadToDeg;
  const std::int16_t flags = definition.GetFlags();
  dialog.m_bInvisible = (flags & kAttributeInvisible) != 0 ? 1 : 0;
  dialog.m_bConstant = (flags & kAttributeConstant) != 0 ? 1 : 0;
  dialog.m_bVerify = (flags & kAttributeVerify) != 0 ? 1 : 0;
  dialog.m_bPreset = (flags & kAttributePreset) != 0 ? 1 : 0;
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  FcUndoSection section(graph, "EditText", FcUndoSection::Steps::kWholeRun);
  if (!RecordEdited(section, definition)) return kStatusDone;
  definition.SetTag(dialog.m_strTag);
  definition.SetText(dialog.m_strValue);
  definition.SetPrompt(dialog.m_strPrompt);
  if (dialog.m_pStyle != nullptr) definition.SetStyle(dialog.m_pStyle);
  definition.SetHeight(HeightOrDefault(graph, definition.GetStyle(), dialog.m_dHeight));
  if (dialog.m_dWidthFactor > 0.0) definition.SetWidthFactor(dialog.m_dWidthFactor);
  definition.SetObliqueAngle(dialog.m_dOblique * kDegToRad);
  definition.SetFlags(AttributeFlags(dialog));
  Refresh(graph, definition);
  return kStatusDone;
}

int EditDimensionText(FcGraph& graph, FcDimension& dimension) {
  CMTextDlg dialog;
  dialog.m_bProperties = 0;
  dialog.m_strText = ShownLineBreaks(dimension.GetTextOverride());
  dialog.m_pGraph = &graph;
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  FcUndoSection section(graph, "EditText", FcUndoSection::Steps::kWholeRun);
  if (!RecordEdited(section, dimension)) return kStatusDone;
  dimension.SetTextOverride(StoredLineBreaks(dialog.m_strText));
  dimension.RebuildBlock();
  Refresh(graph, dimension);
  return kStatusDone;
}

int EditMText(FcGraph& graph, FcMText& text) {
  CMTextDlg dialog;
  dialog.m_strText = ShownLineBreaks(text.GetContents());
  dialog.m_pGraph = &graph;
  const FcTextStyle* style = text.GetStyle();
  dialog.m_strStyle = style != nullptr ? style->GetName() : std::string();
  dialog.m_dHeight = text.GetHeight();
  dialog.m_strLayer = LayerName(text);
  dialog.m_nColor = text.GetColor();
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  FcUndoSection section(graph, "EditText", FcUndoSection::Steps::kWholeRun);
  if (!RecordOrErase(section, text, dialog.m_strText.empty())) return kStatusDone;
  text.SetContents(StoredLineBreaks(dialog.m_strText));
  text.SetHeight(std::fabs(dialog.m_dHeight));
  // A style the drawing lacks leaves the text its own.
  if (FcTextStyle* chosen = graph.GetTextStyleList().Find(dialog.m_strStyle)) text.SetStyle(chosen);
  SetLayerAndColor(graph, text, dialog.m_strLayer, dialog.m_nColor);
  Refresh(graph, text);
  return kStatusDone;
}

bool IsEditable(const FcEntity& entity) {
  const EntityKind kind = entity.GetKind();
  return kind == kEntityText || kind == kEntityAttributeDef || kind == kEntityDimension || kind == kEntityMText ||
         kind == kEntityTolerance;
}

}  // namespace

std::string ShownLineBreaks(std::string_view contents) {
  std::string shown;
  for (std::size_t i = 0; i < contents.size(); ++i) {
    if (contents[i] == '\\' && i + 1 < contents.size()) {
      if (contents[i + 1] == 'P') {
        shown += "\r\n";
        ++i;
        continue;
      }
      // An escaped backslash is no code.
      shown += contents[i];
      shown += contents[++i];
      continue;
    }
    shown += contents[i];
  }
  return shown;
}

std::string StoredLineBreaks(std::string_view text) {
  std::string stored;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      stored += "\\P";
      continue;
    }
    stored += text[i];
  }
  return stored;
}

int EditTextEntity(FcEntity& entity) {
  FcGraph* graph = OwnerGraphOf(entity);
  if (graph == nullptr) return kStatusDone;
  if (auto* definition = dynamic_cast<FcAttributeDef*>(&entity)) return EditAttributeDef(*graph, *definition);
  if (auto* text = dynamic_cast<FcText*>(&entity)) return EditSingleLineText(*graph, *text);
  if (auto* mtext = dynamic_cast<FcMText*>(&entity)) return EditMText(*graph, *mtext);
  if (auto* dimension = dynamic_cast<FcDimension*>(&entity)) return EditDimensionText(*graph, *dimension);
  if (auto* tolerance = dynamic_cast<FcTolerance*>(&entity)) return EditToleranceText(*graph, *tolerance);
  return kStatusDone;
}

int CmdDDEdit() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntSelectFilter filter;
  for (const char* type : kEditableTypes) filter.AddType(type);
  for (;;) {
    std::string text;
    FcPoint2d point;
    FcEntity* picked = nullptr;
    int status = 0;
    {
      FilterScope scope(*graph, filter);
      status = PickOneObject("Select text or dimension to edit", text, point, picked);
    }
    if (status != FC_INPUT_OK) return kStatusDone;
    if (picked == nullptr) continue;
    if (IsEditable(*picked)) return EditTextEntity(*picked);
    PrintMessage("Please select text or dimension object!");
  }
}
