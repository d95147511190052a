#include <string_view>

#include "database/graph.h"
#include "database/layout.h"
#include "database/mline_style.h"
#include "files/dwg_file.h"

namespace {

constexpr std::string_view kPaperSpacePrefix = "*Paper_Space";

FcDictionary* NamedDictionary(FcGraph& graph, std::string_view name) {
  return dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt(name));
}

// The entry holds a dictionary afterwards, unless one cannot be stored.
FcDictionary* EnsureNamedDictionary(FcGraph& graph, std::string_view name, std::uint8_t ownerRefCode) {
  if (FcDictionary* found = NamedDictionary(graph, name)) return found;
  auto* created = new FcDictionary;
  created->SetOwnerRefCode(ownerRefCode);
  if (graph.AddNamedObject(name, created)) return created;
  delete created;
  return nullptr;
}

void GiveHandleAndType(FcGraph& graph, FcObject& object) {
  if (object.GetHandle() == 0) graph.TakeHandle(object);
  if (object.GetDwgType() <= 0) object.SetDwgType(graph.GetCustomClassType(object.GetRecordName()));
}

void EnsureMlineStyle(FcGraph& graph, FcDictionary& styles) {
  if (styles.GetEntryCount() > 0) return;
  auto* standard = new FcMLineStyle;
  standard->SetStandard();
  graph.TakeHandle(*standard);
  const std::string name = standard->name.str();
  styles.SetAt(name, standard);
  if (styles.GetAt(name) != standard) delete standard;
}

// The placeholder's handle, 0 when none could be made.
FcHandle EnsurePlotStyles(FcGraph& graph) {
  auto* plotStyles = dynamic_cast<FcDictionaryWidthDefault*>(graph.GetNamedObjects().GetAt("ACAD_PLOTSTYLENAME"));
  if (plotStyles == nullptr) {
    FcObject* created = graph.CreateObject("ACDBDICTIONARYWDFLT");
    plotStyles = dynamic_cast<FcDictionaryWidthDefault*>(created);
    if (plotStyles == nullptr) {
      delete created;
      return 0;
    }
    if (!graph.AddNamedObject("ACAD_PLOTSTYLENAME", plotStyles)) {
      delete plotStyles;
      return 0;
    }
  }
  if (plotStyles->GetEntryCount() > 0) {
    if (const auto* first = dynamic_cast<const FcPlaceHolder*>(plotStyles->GetEntry(0).object)) {
      return first->GetHandle();
    }
  }
  FcObject* normal = graph.CreateObject("ACDBPLACEHOLDER");
  if (normal == nullptr) return 0;
  GiveHandleAndType(graph, *normal);
  plotStyles->SetAt("Normal", normal);
  if (plotStyles->GetAt("Normal") != normal) {
    delete normal;
    return 0;
  }
  return normal->GetHandle();
}

bool HasLayout(const FcDictionary* layouts, FcHandle handle) {
  return handle != 0 && layouts != nullptr && dynamic_cast<FcLayout*>(layouts->FindByHandle(handle)) != nullptr;
}

// Ties the space block to a layout of that name, making the layout when
// the block has none that "ACAD_LAYOUT" holds.
void EnsureLayout(FcGraph& graph, FcDictionary* layouts, FcBlock* space, std::string_view name, std::uint8_t kind) {
  if (space == nullptr) return;
  space->SetKind(kind);
  if (layouts == nullptr || HasLayout(layouts, space->GetLayoutHandle())) return;
  FcObject* created = graph.CreateObject("LAYOUT");
  auto* layout = dynamic_cast<FcLayout*>(created);
  if (layout == nullptr) {
    delete created;
    return;
  }
  GiveHandleAndType(graph, *layout);
  layout->layoutName = name;
  layout->blockRecord = space->GetHandle();
  layouts->SetAt(name, layout);
  if (layouts->GetAt(name) != layout) {
    delete layout;
    return;
  }
  space->SetLayoutHandle(layout->GetHandle());
}

bool IsPaperSpaceName(std::string_view name) {
  return name.size() >= kPaperSpacePrefix.size() && EqualsNoCase(name.substr(0, kPaperSpacePrefix.size()), kPaperSpacePrefix);
}

void CompleteLayouts(FcGraph& graph, FcDictionary* layouts) {
  FcBlockList& blocks = graph.GetBlockList();
  EnsureLayout(graph, layouts, blocks.GetBlockCount() > 0 ? blocks.GetAt(0) : nullptr, "Model", kBlockKindModelSpace);
  EnsureLayout(graph, layouts, blocks.GetBlockCount() > 1 ? blocks.GetAt(1) : nullptr, "Layout1",
               kBlockKindPaperSpace);
  for (int i = blocks.GetBlockCount() - 1; i >= 2; --i) {
    FcBlock* block = blocks.GetAt(i);
    if (!IsPaperSpaceName(block->GetName())) continue;
    block->SetKind(kBlockKindPaperSpace);
    // A handle shared with an earlier block would remove that one instead.
    if (!HasLayout(layouts, block->GetLayoutHandle()) && blocks.FindByHandle(block->GetHandle()) == block) {
      blocks.RemoveByHandle(block->GetHandle());
    }
  }
  // A further paper space stayed for its layout and keeps the link: without
  // it the saved file's reader would take the block for one without layout
  // and drop it.
  for (int i = 2; i < blocks.GetBlockCount(); ++i) {
    if (!IsPaperSpaceName(blocks.GetAt(i)->GetName())) blocks.GetAt(i)->SetLayoutHandle(0);
  }
}

}  // namespace

void CompleteDefaultObjects(FcGraph& graph) {
  graph.GetClassList().AddMissingDefaults();

  EnsureNamedDictionary(graph, "ACAD_GROUP", FcDictionary::kRelativeOwnerCode);
  FcDictionary* layouts = EnsureNamedDictionary(graph, "ACAD_LAYOUT", FcDictionary::kAbsoluteOwnerCode);
  FcDictionary* mlineStyles = EnsureNamedDictionary(graph, "ACAD_MLINESTYLE", FcDictionary::kRelativeOwnerCode);
  EnsureNamedDictionary(graph, "ACAD_PLOTSETTINGS", FcDictionary::kAbsoluteOwnerCode);
  if (mlineStyles != nullptr) EnsureMlineStyle(graph, *mlineStyles);

  const FcHandle placeholder = EnsurePlotStyles(graph);
  EnsureNamedDictionary(graph, "AcDbVariableDictionary", FcDictionary::kAbsoluteOwnerCode);

  CompleteLayouts(graph, layouts);
  if (placeholder != 0) graph.GetLayerList().SetPlotStyleWhereUnset(placeholder);
}
