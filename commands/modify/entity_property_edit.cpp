#include "commands/modify/entity_property_edit.h"

#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/modify/selection_edit.h"
#include "commands/undo_section.h"
#include "database/draw_sink.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/dimension.h"

namespace {

// The dialog's answers as the drawing's records, resolved once for every
// entity.
struct ChosenProperties {
  int color = kColorByLayer;
  FcLayer* layer = nullptr;
  FcLineType* linetype = nullptr;
  double scale = 1.0;
};

void FillFrom(CPropertyChoiceDlg& dialog, FcGraph& graph, const FcEntity& entity) {
  dialog.m_pGraph = &graph;
  dialog.m_nColor = entity.GetColor();
  const FcLayer* layer = entity.GetLayer();
  dialog.m_strLayer = layer != nullptr ? layer->GetName() : std::string();
  dialog.m_strLinetype = EntityLinetypeName(entity);
  dialog.m_dLtScale = entity.GetLinetypeScale();
}

FcLineType* LinetypeNamed(const FcGraph& graph, const std::string& name) {
  if (EqualsNoCase(name, "ByLayer")) return nullptr;
  if (EqualsNoCase(name, "ByBlock")) return LinetypeByBlock();
  // Null, that is ByLayer, for a name the drawing lacks.
  return graph.GetLinetypeList().FindByName(name);
}

ChosenProperties Resolve(const FcGraph& graph, const CPropertyChoiceDlg& dialog) {
  return {dialog.m_nColor, graph.GetLayerList().FindByName(dialog.m_strLayer),
          LinetypeNamed(graph, dialog.m_strLinetype), dialog.m_dLtScale};
}

void Apply(const ChosenProperties& chosen, FcEntity& entity) {
  if (chosen.color >= kColorByBlock && chosen.color <= kColorByLayer)
    entity.SetColor(static_cast<std::int16_t>(chosen.color));
  // The layers' member lists follow the move.
  if (chosen.layer != nullptr) entity.SetLayer(chosen.layer);
  entity.SetLinetype(chosen.linetype);
  if (chosen.scale > 0.0) entity.SetLinetypeScale(chosen.scale);
}

}  // namespace

void EditEntityProperties(FcGraph& graph, FcEntitySets& entities) {
  if (entities.GetCount() == 0) return;
  CEntPropDlg dialog;
  FillFrom(dialog, graph, *entities.GetAt(0));
  dialog.m_strCaption = "Object Properties";
  FcUndoSection undo(graph, "Change", FcUndoSection::Steps::kWholeRun);
  if (RunModalDialog(dialog) != CModalDialog::kOk || !undo.RecordChanged(entities)) {
    EndUnchanged(graph, entities);
    return;
  }
  const ChosenProperties chosen = Resolve(graph, dialog);
  for (FcEntity* entity : entities) {
    Apply(chosen, *entity);
    // A dimension shows its new properties only in a block built anew.
    entity->RebuildBlock();
  }
  graph.RedrawEntities(&entities);
  graph.Redraw();
}

void EditDimensionProperties(FcGraph& graph, FcDimension& dimension) {
  const FcDimStyle* style = dimension.ResolveDimStyle();
  CDimPropDlg dialog;
  FillFrom(dialog, graph, dimension);
  dialog.m_strDimStyle = style != nullptr ? style->GetName() : std::string();
  FcEntitySets edited(1);
  edited.Add(&dimension);
  FcUndoSection undo(graph, "Change", FcUndoSection::Steps::kWholeRun);
  if (RunModalDialog(dialog) != CModalDialog::kOk || !undo.RecordChanged(edited)) {
    EndUnchanged(graph, edited);
    return;
  }
  Apply(Resolve(graph, dialog), dimension);
  if (FcDimStyle* chosen = graph.GetDimStyleList().Find(dialog.m_strDimStyle)) dimension.SetDimStyle(chosen);
  dimension.RebuildBlock();
  graph.RedrawEntity(&dimension);
  graph.Redraw();
}
