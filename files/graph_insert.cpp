#include "files/graph_insert.h"

#include <memory>
#include <new>

#include "database/dim_style.h"
#include "core/paths.h"
#include "database/block.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/ucs.h"
#include "entities/raster_image.h"
#include "database/text_style.h"
#include "files/drawing_file.h"

namespace {

constexpr std::string_view kModelSpaceName = "*Model_Space";
constexpr std::string_view kPaperSpacePrefix = "*Paper_Space";
constexpr std::string_view kImageDictionary = "ACAD_IMAGE_DICT";
constexpr std::string_view kPlotStyleDictionary = "ACAD_PLOTSTYLENAME";

bool IsSpaceName(std::string_view name) {
  return EqualsNoCase(name, kModelSpaceName) ||
         (name.size() >= kPaperSpacePrefix.size() && EqualsNoCase(name.substr(0, kPaperSpacePrefix.size()), kPaperSpacePrefix));
}

// The record copies took the other drawing's extended data, whose
// applications live in the other drawing's APPID table and die with it:
// the data is copied again with the applications registered here. Then the
// record gets this drawing's next handle.
void AdoptCopiedRecord(FcGraph& graph, FcObject& copy, const FcObject& source) {
  copy.FcObject::CopyFromOtherGraph(source, graph);
  graph.TakeHandle(copy);
}

// The handle of this drawing's plot style with the name that the other
// drawing's handle has there; the fallback when either is missing.
FcHandle MatchingPlotStyle(const FcGraph& graph, const FcGraph& other, FcHandle theirs, FcHandle fallback) {
  const auto* theirNames = dynamic_cast<const FcDictionary*>(other.GetNamedObjects().GetAt(kPlotStyleDictionary));
  const auto* ownNames = dynamic_cast<const FcDictionary*>(graph.GetNamedObjects().GetAt(kPlotStyleDictionary));
  if (theirs == 0 || theirNames == nullptr || ownNames == nullptr) return fallback;
  const FcDictionaryEntry* entry = theirNames->FindEntryByHandle(theirs);
  const FcObject* own = entry != nullptr ? ownNames->GetAt(entry->name) : nullptr;
  return own != nullptr ? own->GetHandle() : fallback;
}

bool InUse(const FcTextStyle& style) { return !style.IsUnreferenced(); }
bool InUse(const FcLineType& linetype) { return !linetype.IsUnreferenced(); }
bool InUse(const FcDimStyle& style) { return !style.IsUnreferenced(); }
bool InUse(const FcLayer& layer) { return layer.GetEntityHandles().count > 0; }
bool InUse(const FcUCS&) { return true; }

// Copies every record of the other drawing's table (those in use for
// kInUse) whose name this drawing's table lacks: makeCopy appends a filled
// record (null when it cannot), which then takes this drawing's
// applications and next handle.
template <typename Table, typename Lookup, typename MakeCopy>
void MergeMissing(FcGraph& graph, const Table& theirs, FcMergeScope scope, Lookup ownRecord, MakeCopy makeCopy) {
  for (int i = 0; i < theirs.GetCount(); ++i) {
    const auto& source = *theirs.GetAt(i);
    if (scope == FcMergeScope::kInUse && !InUse(source)) continue;
    if (ownRecord(source.GetName()) != nullptr) continue;
    if (FcObject* copy = makeCopy(source)) AdoptCopiedRecord(graph, *copy, source);
  }
}

// The layer takes the other's settings, with its linetype and plot style
// bound again by name in this drawing.
void CopyLayer(FcGraph& graph, const FcGraph& other, const FcLayer& source, FcLayer& layer) {
  const FcHandle ownPlotStyle = layer.GetPlotStyle();
  layer.CopyFrom(source);
  if (layer.GetLinetypeHandle() != 0) {
    const FcLineType* theirLinetype = other.GetLinetypeList().FindByHandle(layer.GetLinetypeHandle());
    layer.SetLinetype(theirLinetype != nullptr ? graph.GetLinetypeList().FindByName(theirLinetype->GetName())
                                               : nullptr);
  }
  // SetPlotStyle keeps a handle that this drawing's plot styles hold, and
  // the other drawing's handle may be one of them by chance; the layer is
  // detached for the moment so that the matching one is taken.
  layer.SetGraph(nullptr);
  layer.SetPlotStyle(MatchingPlotStyle(graph, other, source.GetPlotStyle(), ownPlotStyle));
  layer.SetGraph(&graph);
}

void DeleteEntities(FcBlock& block) {
  FcEntitySets& entities = block.GetEntities();
  for (FcEntity* entity : entities) {
    if (FcLayer* layer = entity->GetLayer()) layer->RemoveEntityHandle(entity);
  }
  entities.RemoveAll(true);
}

// Step 3 of the insertion: a block named after a titled drawing, else an
// anonymous one. A title that names a space block would empty this
// drawing's own model or paper space, so such a drawing is taken as
// untitled.
FcBlock* ReceivingBlock(FcGraph& graph, const FcGraph& other) {
  const FcSystemVar& vars = other.GetSysVars();
  if (vars.dwgtitled != 0 && !vars.dwgname.str().empty()) {
    const std::string title = PathFileTitle(vars.dwgname.str());
    if (!title.empty() && !IsSpaceName(title)) return GetEmptyBlock(graph, title);
  }
  return graph.GetBlockList().AddAnonymousBlock();
}

}  // namespace

FcBlock* GetEmptyBlock(FcGraph& graph, std::string_view name) {
  FcBlockList& blocks = graph.GetBlockList();
  if (FcBlock* block = blocks.FindByName(name)) {
    DeleteEntities(*block);
    return block;
  }
  FcBlock* block = blocks.AddNew();
  if (block != nullptr) block->SetName(name);
  return block;
}

void MergeTextStyles(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  FcTextStyleList& styles = graph.GetTextStyleList();
  MergeMissing(graph, other.GetTextStyleList(), scope, [&](std::string_view name) { return styles.Find(name); },
               [&](const FcTextStyle& source) {
                 FcTextStyle* style = styles.CreateStyle();
                 if (style != nullptr) style->CopyFrom(source);
                 return style;
               });
}

void MergeLinetypes(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  FcLinetypeList& linetypes = graph.GetLinetypeList();
  MergeMissing(graph, other.GetLinetypeList(), scope, [&](std::string_view name) { return linetypes.FindByName(name); },
               [&](const FcLineType& source) {
                 FcLineType* linetype = linetypes.AddNew();
                 if (linetype != nullptr) linetype->CopyFrom(source);
                 return linetype;
               });
}

void MergeLayers(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  MergeMissing(graph, other.GetLayerList(), scope, [&](std::string_view name) { return graph.GetLayerList().FindByName(name); },
               [&](const FcLayer& source) {
                 FcLayer* layer = graph.CreateLayer();
                 if (layer != nullptr) CopyLayer(graph, other, source, *layer);
                 return layer;
               });
}

void MergeDimStyles(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  FcDimStyleList& styles = graph.GetDimStyleList();
  MergeMissing(graph, other.GetDimStyleList(), scope, [&](std::string_view name) { return styles.Find(name); },
               [&](const FcDimStyle& source) {
                 FcDimStyle* style = styles.AddNew();
                 if (style == nullptr) return style;
                 style->CopyVariables(source);
                 style->SetName(source.GetName());
                 return style;
               });
}

void MergeUcs(FcGraph& graph, const FcGraph& other) {
  FcUCSList& named = graph.GetUcsList();
  MergeMissing(graph, other.GetUcsList(), FcMergeScope::kAll, [&](std::string_view name) { return named.FindByName(name); },
               [&](const FcUCS& source) {
                 FcUCS* ucs = named.AddNew();
                 if (ucs != nullptr) ucs->CopyFrom(source);
                 return ucs;
               });
}

void MergeImageDefs(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  const auto* theirs = dynamic_cast<const FcDictionary*>(other.GetNamedObjects().GetAt(kImageDictionary));
  if (theirs == nullptr) return;
  auto* own = dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionary));
  if (own == nullptr) {
    own = new (std::nothrow) FcDictionary();
    if (own == nullptr) return;
    if (!graph.AddNamedObject(kImageDictionary, own)) {
      delete own;
      return;
    }
  }
  for (int i = 0; i < theirs->GetEntryCount(); ++i) {
    const FcDictionaryEntry& entry = theirs->GetEntry(i);
    const auto* source = dynamic_cast<const FcRasterImageDef*>(entry.object);
    if (source == nullptr || own->GetAt(entry.name) != nullptr) continue;
    if (scope == FcMergeScope::kInUse && source->GetWriteMark()) continue;
    auto* definition = new (std::nothrow) FcRasterImageDef();
    if (definition == nullptr) continue;
    definition->CopyFrom(*source);
    AdoptCopiedRecord(graph, *definition, *source);
    const int classIndex = graph.GetClassList().IndexOf(source->GetRecordName());
    definition->SetDwgType(static_cast<DwgObjectType>(classIndex >= 0 ? 500 + classIndex : 0));
    definition->Load(&graph);
    definition->SetLoaded(source->GetLoaded() != 0);
    own->SetAt(entry.name, definition);
    // The dictionary refuses a name too long for an entry and then does
    // not own the definition.
    if (own->GetAt(entry.name) != definition) delete definition;
  }
}

void MergeBlocks(FcGraph& graph, const FcGraph& other, FcMergeScope scope) {
  FcBlockList& blocks = graph.GetBlockList();
  const FcBlockList& theirs = other.GetBlockList();
  for (int i = 0; i < theirs.GetBlockCount(); ++i) {
    const FcBlock& source = *theirs.GetAt(i);
    if (IsSpaceName(source.GetName()) || blocks.FindByName(source.GetName()) != nullptr) continue;
    if (scope == FcMergeScope::kInUse && source.IsUnreferenced()) continue;
    FcBlock* block = blocks.AddNew();
    if (block != nullptr) block->CopyFrom(source, false);
  }
}

FcBlock* InsertDrawing(FcGraph& graph, const FcGraph& other) {
  if (&graph == &other) return nullptr;
  // Linetypes come before layers, so that a merged layer finds a merged
  // linetype by name.
  MergeTextStyles(graph, other);
  MergeLinetypes(graph, other);
  MergeLayers(graph, other);
  MergeDimStyles(graph, other);
  MergeUcs(graph, other);
  MergeImageDefs(graph, other);
  const int oldCount = graph.GetBlockList().GetBlockCount();
  MergeBlocks(graph, other);

  FcBlock* block = ReceivingBlock(graph, other);
  if (block == nullptr) return nullptr;
  const std::string name = block->GetName();
  const bool anonymous = (block->GetFlags() & kBlockAnonymous) != 0;
  if (const FcBlock* modelSpace = other.GetBlockList().FindByName(kModelSpaceName)) block->CopyFrom(*modelSpace, false);
  block->SetName(name);
  block->SetBasePoint(other.GetSysVars().insbase);
  if (anonymous) block->SetFlags(kBlockAnonymous);
  // A drawing named like one of this drawing's blocks may refer to that
  // name: its reference now names the receiving block itself.
  graph.GetBlockList().RemoveSelfReferences();
  // The copied dimensions build their blocks in this drawing, with its
  // styles.
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = blocks.GetBlockCount() - 1; i >= oldCount; --i) blocks.GetAt(i)->RebuildDimensions();
  return block;
}

FcOpenResult InsertDrawingFile(FcGraph& graph, const std::string& path, FcBlock*& block, std::uint8_t* skipped) {
  block = nullptr;
  auto other = std::make_unique<FcGraph>();
  const FcOpenResult result = OpenDrawing(*other, path, false, skipped);
  if (result != FcOpenResult::kDone) return result;
  block = InsertDrawing(graph, *other);
  return result;
}
