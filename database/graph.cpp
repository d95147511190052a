#include "database/graph.h"

#include <cstring>
#include <mutex>
#include <utility>

#include "core/resbuf.h"
#include "database/layout.h"
#include "database/mline_style.h"
#include "database/object_factory.h"
#include "database/sort_ents_table.h"
#include "platform/thread_slot.h"

namespace {

constexpr std::string_view kVariableDictionaryName = "AcDbVariableDictionary";
constexpr std::string_view kDrawOrderCtl = "DrawOrderCtl";
constexpr std::string_view kDrawOrderCtlDefault = "3";

std::mutex& ActiveGraphQueryMutex() {
  static std::mutex mutex;
  return mutex;
}

FcActiveGraphQuery& ActiveGraphQuery() {
  static FcActiveGraphQuery query;
  return query;
}

FcDictionary* AsDictionary(FcObject* object) { return dynamic_cast<FcDictionary*>(object); }

}  // namespace

FcGraph::FcGraph() : view_(MakeGraphView(*this)) {
  InitDefaults();
  undoList_.SetOwner(this);
}

// The view goes first: its primitives point into the linetype table. The
// preview set holds no entities of its own.
FcGraph::~FcGraph() {
  view_.reset();
  delete dimStylePreview_;
}

void FcGraph::TakeHandle(FcObject& object) { object.SetHandle(::TakeHandle(sysVars_.handseed)); }

void FcGraph::ClearContents() {
  // Entities go first: they still reach their layers and linetypes.
  previousSelection_.RemoveAll(false);
  delete dimStylePreview_;
  dimStylePreview_ = nullptr;
  currentBlock_ = nullptr;
  currentEntitySet_ = nullptr;
  blocks_.RemoveAll();
  namedObjects_.RemoveAll();
  layers_.RemoveAll();
  currentLayer_ = nullptr;
  linetypes_.RemoveAll();
  currentLinetype_ = nullptr;
  textStyles_.RemoveAll();
  currentTextStyle_ = nullptr;
  dimStyles_.RemoveAll();
  byLayerLinetype_ = nullptr;
  byBlockLinetype_ = nullptr;
  appIds_.RemoveAll();
  classes_.Clear();
}

void FcGraph::InitDefaults() {
  static std::once_flag factoriesRegistered;
  std::call_once(factoriesRegistered, RegisterDatabaseObjects);

  // A reader calls this on a drawing that may hold contents already; the
  // new contents must not mix with them, and the handles start again at 1.
  ClearContents();
  skippedRecords_.clear();
  sysVars_.handseed = 1;

  blocks_.SetGraph(this);
  dimStyles_.SetGraph(this);
  TakeHandle(blocks_);
  for (FcObject* table : {static_cast<FcObject*>(&layers_), static_cast<FcObject*>(&linetypes_),
                          static_cast<FcObject*>(&textStyles_), static_cast<FcObject*>(&dimStyles_),
                          static_cast<FcObject*>(&viewports_), static_cast<FcObject*>(&namedUcs_),
                          static_cast<FcObject*>(&appIds_), static_cast<FcObject*>(&views_),
                          static_cast<FcObject*>(&viewHeaders_)}) {
    TakeHandle(*table);
    table->SetOwner(this);
  }

  classes_.AddMissingDefaults();
  TakeHandle(namedObjects_);
  namedObjects_.SetOwner(nullptr);
  AddAppId("ACAD");

  byLayerLinetype_ = GetOrCreateLinetype("ByLayer");
  byBlockLinetype_ = GetOrCreateLinetype("ByBlock");
  FcLineType* continuous = GetOrCreateLinetype("Continuous");
  if (continuous != nullptr) continuous->SetDescription("Solid Line");
  SetCurrentLinetype("ByLayer");

  InitDefaultDictionaries();

  FcLayer* layerZero = FindOrCreateLayer("0");
  SetCurrentLayer("0");
  if (layerZero != nullptr) layerZero->SetLinetypeHandle(continuous != nullptr ? continuous->GetHandle() : 0);

  if (FcTextStyle* standard = FindOrCreateTextStyle("standard")) SetCurrentTextStyle(standard->GetName());
  if (FcDimStyle* iso25 = NewDimStyle("ISO-25")) {
    iso25->SetIso25Defaults();
    SetCurrentDimStyle(iso25->GetName());
  }

  InitDefaultSpaces();
  TakeHandle(viewports_.GetActive());
}

FcDictionary* FcGraph::AdoptNamedDictionary(std::string_view name, std::uint8_t ownerRefCode) {
  auto* dictionary = new FcDictionary;
  dictionary->SetOwnerRefCode(ownerRefCode);
  return AdoptNamedObject(name, dictionary) ? dictionary : nullptr;
}

bool FcGraph::AdoptNamedObject(std::string_view name, FcObject* object) {
  if (AddNamedObject(name, object)) return true;
  delete object;
  return false;
}

void FcGraph::InitDefaultDictionaries() {
  AdoptNamedDictionary("ACAD_GROUP", FcDictionary::kRelativeOwnerCode);
  AdoptNamedDictionary("ACAD_LAYOUT", FcDictionary::kAbsoluteOwnerCode);
  if (FcDictionary* mlineStyles = AdoptNamedDictionary("ACAD_MLINESTYLE", FcDictionary::kRelativeOwnerCode)) {
    auto* standard = new FcMLineStyle;
    standard->SetStandard();
    TakeHandle(*standard);
    mlineStyles->SetAt(standard->name.str(), standard);
  }
  AdoptNamedDictionary("ACAD_PLOTSETTINGS", FcDictionary::kAbsoluteOwnerCode);
  FcObject* plotStyles = CreateObject("ACDBDICTIONARYWDFLT");
  if (AdoptNamedObject("ACAD_PLOTSTYLENAME", plotStyles)) {
    FcObject* normal = CreateObject("ACDBPLACEHOLDER");
    FcDictionary* plotStyleDictionary = AsDictionary(plotStyles);
    if (plotStyleDictionary != nullptr && normal != nullptr) {
      plotStyleDictionary->SetAt("Normal", normal);
    } else {
      delete normal;
    }
  }
  AdoptNamedDictionary(kVariableDictionaryName, FcDictionary::kAbsoluteOwnerCode);
}

void FcGraph::InitDefaultSpaces() {
  FcBlock* modelSpace = AddSpaceBlock("*Model_Space", kBlockKindModelSpace);
  currentBlock_ = modelSpace;
  if (modelSpace != nullptr) {
    currentEntitySet_ = &modelSpace->GetEntities();
    currentEntitySet_->SetGrowthStep(kFcModelSpaceGrowth);
  }
  FcBlock* paperSpace = AddSpaceBlock("*Paper_Space", kBlockKindPaperSpace);
  AddLayout("Model", modelSpace);
  AddLayout("Layout1", paperSpace);
}

FcBlock* FcGraph::AddSpaceBlock(std::string_view name, std::uint8_t kind) {
  auto* block = new FcBlock;
  blocks_.Add(block);
  block->SetName(name);
  block->SetKind(kind);
  return block;
}

void FcGraph::AddLayout(std::string_view name, FcBlock* space) {
  auto* layout = dynamic_cast<FcLayout*>(CreateObject("LAYOUT"));
  FcDictionary* layouts = AsDictionary(namedObjects_.GetAt("ACAD_LAYOUT"));
  if (layout == nullptr || layouts == nullptr || space == nullptr) {
    delete layout;
    return;
  }
  layout->layoutName = name;
  layout->blockRecord = space->GetHandle();
  space->SetLayoutHandle(layout->GetHandle());
  layouts->SetAt(name, layout);
}

FcDictionary* FcGraph::GetVariableDictionary() const {
  return AsDictionary(namedObjects_.GetAt(kVariableDictionaryName));
}

FcDictionary* FcGraph::VariableDictionaryForUse() {
  if (FcDictionary* found = GetVariableDictionary()) return found;
  return AdoptNamedDictionary(kVariableDictionaryName, FcDictionary::kAbsoluteOwnerCode);
}

FcDictionaryVar* FcGraph::FindOrCreateDictionaryVar(std::string_view name, std::string_view initial) {
  FcDictionary* variables = VariableDictionaryForUse();
  if (variables == nullptr) return nullptr;
  if (auto* found = dynamic_cast<FcDictionaryVar*>(variables->GetAt(name))) return found;
  if (!EqualsNoCase(name, kDrawOrderCtl)) return nullptr;
  auto* created = new FcDictionaryVar;
  created->SetValue(initial);
  variables->SetAt(kDrawOrderCtl, created);
  if (variables->GetAt(kDrawOrderCtl) != created) {
    delete created;
    return nullptr;
  }
  if (created->GetHandle() == 0) TakeHandle(*created);
  if (created->GetDwgType() <= 0) created->SetDwgType(GetCustomClassType(created->GetRecordName()));
  return created;
}

FcSysVarResult FcGraph::SetSysVar(std::string_view name, const FcResBuf& value) {
  if (sysVars_.SetVar(name, value) == FcSysVarResult::kDone) return FcSysVarResult::kDone;
  const std::string_view text = value.text != nullptr ? std::string_view(value.text) : std::string_view();
  FcDictionaryVar* variable = FindOrCreateDictionaryVar(name, text);
  if (variable == nullptr) return FcSysVarResult::kUnknownName;
  variable->SetValue(text);
  return FcSysVarResult::kDone;
}

FcSysVarResult FcGraph::GetSysVar(std::string_view name, FcResBuf& value) {
  if (sysVars_.GetVar(name, value) == FcSysVarResult::kDone) return FcSysVarResult::kDone;
  FcDictionaryVar* variable = FindOrCreateDictionaryVar(name, kDrawOrderCtlDefault);
  if (variable == nullptr) return FcSysVarResult::kUnknownName;
  value.type = kResTypeString;
  value.SetString(variable->GetValue().c_str());
  return FcSysVarResult::kDone;
}

void FcGraph::AssignHandleAndType(FcEntity& entity) {
  TakeHandle(entity);
  if (entity.GetDwgType() <= 0) entity.SetDwgType(GetCustomClassType(entity.GetRecordName()));
}

void FcGraph::AddToCurrentSpace(FcEntity& entity) {
  if (currentEntitySet_ != nullptr) currentEntitySet_->Add(&entity);
  entity.SetBlock(currentBlock_);
}

void FcGraph::AddEntity(FcEntity* entity, bool redraw) {
  if (entity == nullptr) return;
  AssignHandleAndType(*entity);
  if (currentLayer_ != nullptr) entity->SetLayer(currentLayer_);
  entity->SetLinetype(currentLinetype_);
  if (sysVars_.cecolor >= kColorByBlock && sysVars_.cecolor <= kColorByLayer) entity->SetColor(sysVars_.cecolor);
  if (sysVars_.celtscale > 0.0) entity->SetLinetypeScale(sysVars_.celtscale);
  AddToCurrentSpace(*entity);
  DrawEntity(entity);
  AddToDrawOrder(entity->GetHandle(), false);
  if (redraw) Redraw();
}

void FcGraph::AddEntityKeepLayer(FcEntity* entity) {
  if (entity == nullptr) return;
  AssignHandleAndType(*entity);
  if (FcLayer* layer = entity->GetLayer()) {
    layer->AddEntityHandle(entity);
  } else {
    entity->SetLayer(currentLayer_);
  }
  AddToCurrentSpace(*entity);
  AddToDrawOrder(entity->GetHandle(), false);
}

void FcGraph::AddToDrawOrder(FcHandle handle, bool create) {
  if (currentBlock_ == nullptr) return;
  if (FcSortEntsTable* table = currentBlock_->GetSortEntsTable()) {
    table->AddHandle(handle);
    return;
  }
  if (!create) return;
  FcDictionary* extension = currentBlock_->GetExtDictionary();
  if (extension == nullptr) {
    extension = new FcDictionary;
    TakeHandle(*extension);
    currentBlock_->SetExtDictionary(extension);
    currentBlock_->SetExtDictionaryHandle(extension->GetHandle());
  }
  auto* table = new FcSortEntsTable;
  TakeHandle(*table);
  table->SetDwgType(GetCustomClassType("SORTENTSTABLE"));
  extension->SetAt("ACAD_SORTENTS", table);
  if (extension->GetAt("ACAD_SORTENTS") != table) {
    delete table;
    return;
  }
  table->AddHandle(handle);
}

void FcGraph::DetachFromDrawing(FcEntity& entity) {
  if (FcLayer* layer = entity.GetLayer()) layer->RemoveEntityHandle(&entity);
  if (currentBlock_ != nullptr) {
    if (FcSortEntsTable* table = currentBlock_->GetSortEntsTable()) table->RemoveHandle(entity.GetHandle());
  }
  previousSelection_.Remove(&entity);
  RemoveFromDisplay(&entity);
}

FcEntity* FcGraph::RemoveEntity(FcEntity* entity) {
  if (entity == nullptr) return nullptr;
  if (currentEntitySet_ != nullptr) currentEntitySet_->Remove(entity);
  entity->SetBlock(nullptr);
  DetachFromDrawing(*entity);
  return entity;
}

FcEntity* FcGraph::RemoveEntityByHandle(FcHandle handle) {
  if (currentEntitySet_ == nullptr) return nullptr;
  FcEntity* entity = currentEntitySet_->RemoveByHandle(handle);
  if (entity == nullptr) return nullptr;
  entity->SetBlock(nullptr);
  DetachFromDrawing(*entity);
  return entity;
}

FcEntity* FcGraph::GetLastEntity() const {
  if (currentEntitySet_ == nullptr) return nullptr;
  for (int i = currentEntitySet_->GetCount() - 1; i >= 0; --i) {
    FcEntity* entity = currentEntitySet_->GetAt(i);
    if (entity != nullptr && entity->GetKind() != kEntitySeqend && !entity->IsSubEntity()) return entity;
  }
  return nullptr;
}

FcLineType* FcGraph::GetOrCreateLinetype(std::string_view name) {
  if (FcLineType* found = linetypes_.FindByName(name)) return found;
  FcLineType* created = linetypes_.AddNew();
  if (created == nullptr) return nullptr;
  TakeHandle(*created);
  created->SetName(name);
  return created;
}

FcHandle FcGraph::FirstPlotStyleHandle() const {
  const FcDictionary* plotStyles = AsDictionary(namedObjects_.GetAt("ACAD_PLOTSTYLENAME"));
  if (plotStyles == nullptr || plotStyles->GetEntryCount() == 0) return 0;
  const FcDictionaryEntry& first = plotStyles->GetEntry(0);
  return first.object != nullptr ? first.object->GetHandle() : first.handle;
}

void FcGraph::RebindLinetypeRecords() {
  byLayerLinetype_ = linetypes_.FirstOfKind(FcLineType::kKindByLayer);
  byBlockLinetype_ = linetypes_.FirstOfKind(FcLineType::kKindByBlock);
}

FcLayer* FcGraph::CreateLayer() {
  FcLayer* layer = layers_.AddNew();
  if (layer == nullptr) return nullptr;
  TakeHandle(*layer);
  layer->SetGraph(this);
  // Continuous is held as no handle, as the readers hold it: a file read
  // may renumber a Continuous record it had to make, and a layer made
  // meanwhile must not keep the old number.
  const FcLineType* linetype = currentLinetype_ != LinetypeByBlock() ? currentLinetype_ : nullptr;
  if (linetype != nullptr && !EqualsNoCase(linetype->GetName(), "Continuous")) layer->SetLinetype(linetype);
  layer->SetPlotStyle(FirstPlotStyleHandle());
  return layer;
}

FcLayer* FcGraph::FindOrCreateLayer(std::string_view name) {
  if (name.empty()) return nullptr;
  FcLayer* layer = layers_.FindByName(name);
  if (layer == nullptr) {
    layer = CreateLayer();
    if (layer == nullptr) return nullptr;
    layer->SetName(name);
  }
  if (IsDefPointsName(name)) layer->SetPlottable(false);
  return layer;
}

FcLayer* FcGraph::FindOrCreateLayerWhileReading(std::string_view name) {
  if (FcLayer* layer = layers_.FindByName(name)) return layer;
  FcLayer* layer = FindOrCreateLayer(name);
  if (layer != nullptr) layer->SetHandle(0);
  return layer;
}

void FcGraph::MakeLayerCurrent(FcLayer* layer) {
  if (layer == nullptr) return;
  currentLayer_ = layer;
  sysVars_.clayer = layer->GetName();
}

FcLayer* FcGraph::SetCurrentLayer(std::string_view name) {
  MakeLayerCurrent(layers_.FindByName(name));
  return currentLayer_;
}

FcLayer* FcGraph::SetCurrentLayerByHandle(FcHandle handle) {
  FcLayer* layer = layers_.FindByHandle(handle);
  if (layer == nullptr && layers_.GetCount() > 0) layer = layers_.GetAt(0);
  MakeLayerCurrent(layer);
  return currentLayer_;
}

void FcGraph::MakeLinetypeCurrent(FcLineType* linetype, std::string_view name) {
  currentLinetype_ = linetype;
  sysVars_.celtype = name;
}

FcLineType* FcGraph::SetCurrentLinetype(std::string_view name) {
  if (EqualsNoCase(name, "ByLayer")) {
    MakeLinetypeCurrent(nullptr, "ByLayer");
  } else if (EqualsNoCase(name, "ByBlock")) {
    MakeLinetypeCurrent(LinetypeByBlock(), "ByBlock");
  } else if (FcLineType* record = linetypes_.FindByName(name)) {
    MakeLinetypeCurrent(record, record->GetName());
  }
  return currentLinetype_;
}

FcLineType* FcGraph::SetCurrentLinetypeByHandle(FcHandle handle) {
  FcLineType* record = linetypes_.FindByHandle(handle);
  if (record == nullptr) return currentLinetype_;
  if (record->GetKind() == FcLineType::kKindByLayer) {
    MakeLinetypeCurrent(nullptr, "ByLayer");
  } else if (record->GetKind() == FcLineType::kKindByBlock) {
    MakeLinetypeCurrent(LinetypeByBlock(), "ByBlock");
  } else {
    MakeLinetypeCurrent(record, record->GetName());
  }
  return currentLinetype_;
}

FcTextStyle* FcGraph::NewTextStyle() {
  FcTextStyle* style = textStyles_.CreateStyle();
  if (style != nullptr) TakeHandle(*style);
  return style;
}

FcTextStyle* FcGraph::FindOrCreateTextStyle(std::string_view name) {
  if (name.empty()) return nullptr;
  if (FcTextStyle* found = textStyles_.Find(name)) return found;
  FcTextStyle* created = NewTextStyle();
  if (created != nullptr) created->SetName(name);
  return created;
}

void FcGraph::MakeTextStyleCurrent(FcTextStyle* style) {
  if (style == nullptr) return;
  currentTextStyle_ = style;
  sysVars_.SetTextStyleName(style->GetName());
}

FcTextStyle* FcGraph::SetCurrentTextStyle(std::string_view name) {
  FcTextStyle* style = textStyles_.Find(name);
  if (style == nullptr && currentTextStyle_ == nullptr && textStyles_.GetCount() > 0) style = textStyles_.GetAt(0);
  MakeTextStyleCurrent(style);
  return currentTextStyle_;
}

void FcGraph::SetCurrentTextStyleByHandle(FcHandle handle) { MakeTextStyleCurrent(textStyles_.FindByHandle(handle)); }

FcDimStyle* FcGraph::NewDimStyle(std::string_view name) {
  FcDimStyle* style = dimStyles_.AddNew();
  if (style == nullptr) return nullptr;
  style->SetName(name);
  TakeHandle(*style);
  return style;
}

void FcGraph::MakeDimStyleCurrent(FcDimStyle* style) {
  if (style == nullptr) return;
  dimStyles_.SetCurrent(style);
  sysVars_.SetDimStyleName(style->GetName());
  SetDimVarsFromStyle(sysVars_, *style);
}

FcDimStyle* FcGraph::SetCurrentDimStyle(std::string_view name) {
  FcDimStyle* style = dimStyles_.Find(name);
  if (style == nullptr && GetCurrentDimStyle() == nullptr && dimStyles_.GetCount() > 0) style = dimStyles_.GetAt(0);
  MakeDimStyleCurrent(style);
  return GetCurrentDimStyle();
}

FcDimStyle* FcGraph::SetCurrentDimStyleByHandle(FcHandle handle) {
  MakeDimStyleCurrent(dimStyles_.FindByHandle(handle));
  return GetCurrentDimStyle();
}

FcAppID* FcGraph::AddAppId(std::string_view name) {
  FcAppID* app = appIds_.AddNew();
  if (app == nullptr) return nullptr;
  app->SetName(name);
  TakeHandle(*app);
  return app;
}

int FcGraph::CountNamedBlocks() const {
  int count = 0;
  for (int i = 0; i < blocks_.GetBlockCount(); ++i) {
    const FcBlock* block = blocks_.GetAt(i);
    if (block != nullptr && (block->GetFlags() & kBlockAnonymous) == 0) ++count;
  }
  return count;
}

FcObject* FcGraph::CreateObject(std::string_view name) {
  return CreateObjectForGraph(name, classes_, sysVars_.handseed);
}

FcObject* FcGraph::CreateObjectByDwgType(int dwgType) {
  switch (dwgType) {
    case FcBlockList::kDwgType:
      return &blocks_;
    case FcLayerList::kDwgType:
      return &layers_;
    case FcTextStyleList::kDwgType:
      return &textStyles_;
    case FcLinetypeList::kDwgType:
      return &linetypes_;
    case FcDimStyleList::kDwgType:
      return &dimStyles_;
    case FcUCSList::kDwgType:
      return &namedUcs_;
    case FcAppIDList::kDwgType:
      return &appIds_;
    default:
      return ::CreateObjectByDwgType(classes_, dwgType);
  }
}

bool FcGraph::GetCustomClassName(int index, std::string& name) const {
  return ::GetCustomClassName(classes_, index, name);
}

DwgObjectType FcGraph::GetCustomClassType(std::string_view recordName) const {
  return ::GetCustomClassType(classes_, recordName);
}

bool FcGraph::AddNamedObject(std::string_view name, FcObject* object) {
  if (object == nullptr || name.empty()) return false;
  namedObjects_.SetAt(name, object);
  if (namedObjects_.GetAt(name) != object) return false;
  if (object->GetHandle() == 0) TakeHandle(*object);
  if (object->GetDwgType() <= 0) object->SetDwgType(GetCustomClassType(object->GetRecordName()));
  return true;
}

void SetActiveGraphQuery(FcActiveGraphQuery query) {
  const std::lock_guard lock(ActiveGraphQueryMutex());
  ActiveGraphQuery() = std::move(query);
}

FcGraph* CurrentGraph() {
  if (FcGraph* own = CurrentThreadSlot().graph) return own;
  FcActiveGraphQuery query;
  {
    const std::lock_guard lock(ActiveGraphQueryMutex());
    query = ActiveGraphQuery();
  }
  if (!query) return nullptr;
  FcGraph* active = nullptr;
  return query(&active) == 0 ? active : nullptr;
}

FcCurrentGraphScope::FcCurrentGraphScope(FcGraph& graph) : previous_(CurrentThreadSlot().graph) {
  CurrentThreadSlot().graph = &graph;
}

FcCurrentGraphScope::~FcCurrentGraphScope() { CurrentThreadSlot().graph = previous_; }

const char* CopyPackedString(const char* packed, std::string& text) {
  if (packed == nullptr) {
    text.clear();
    return nullptr;
  }
  const std::size_t length = std::strlen(packed);
  text.assign(packed, length);
  return packed + length + 1;
}
