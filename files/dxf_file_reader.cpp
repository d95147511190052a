#include "files/dxf_file_reader.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/paths.h"
#include "core/resbuf.h"
#include "database/block_markers.h"
#include "database/graph.h"
#include "database/header_vars.h"
#include "database/object_factory.h"
#include "filers/filer.h"
#include "platform/frame_link.h"

namespace {

// Default records that had to be made during this read; the handles they
// took may lie among the file's own, so they are given new ones at the end.
struct CreatedAfterReading {
  bool byLayer = false;
  bool byBlock = false;
  bool continuous = false;
  bool modelSpace = false;
  bool paperSpace = false;
  bool renumberAppIds = false;
};

constexpr std::string_view kModelSpace = "*Model_Space";
constexpr std::string_view kPaperSpace = "*Paper_Space";

std::string_view TextOf(const FcResBuf& group) {
  return group.text != nullptr ? std::string_view(group.text) : std::string_view();
}

bool IsGroup0(const FcResBuf& group, std::string_view name) {
  return group.type == 0 && EqualsNoCase(TextOf(group), name);
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// Passes over everything up to group 0 "SECTION" and its name, or "EOF".
bool ReadSectionStart(FcFiler& filer, std::string& name) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (IsGroup0(group, "EOF")) {
      name = "EOF";
      return true;
    }
    if (!IsGroup0(group, "SECTION")) continue;
    if (!filer.ReadGroup(group) || group.type != 2 || TextOf(group).empty()) return false;
    name = TextOf(group);
    return true;
  }
  return false;
}

// Reads up to and including group 0 with the name; false when the data
// ends first.
bool SkipPast(FcFiler& filer, std::string_view endName) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (IsGroup0(group, endName)) return true;
  }
  return false;
}

// "TABLE" with its name, or "ENDSEC".
bool ReadTableStart(FcFiler& filer, std::string& name) {
  FcResBuf group;
  if (!filer.ReadGroup(group) || group.type != 0) return false;
  if (IsGroup0(group, "ENDSEC")) {
    name = "ENDSEC";
    return true;
  }
  if (!IsGroup0(group, "TABLE")) return false;
  if (!filer.ReadGroup(group) || group.type != 2 || TextOf(group).empty()) return false;
  name = TextOf(group);
  return true;
}

// The "$ACADVER" value of the HEADER section that starts at the filer's
// position, which the filer returns to; empty when the section has none.
std::string PeekFileRelease(FcFiler& filer) {
  filer.SetMark();
  std::string release;
  FcResBuf group;
  while (filer.ReadGroup(group) && group.type != 0) {
    if (group.type != 9 || !EqualsNoCase(TextOf(group), "$ACADVER")) continue;
    if (filer.ReadGroup(group) && group.type == 1) release = TextOf(group);
    break;
  }
  filer.SeekToMark();
  return release;
}

bool IsReadableRelease(std::string_view release) {
  return EqualsNoCase(release, "AC1012") || EqualsNoCase(release, "AC1014") || EqualsNoCase(release, "AC1015");
}

// A record the reader makes before the whole file is read takes its handle
// at the end (AssignMissingHandles): one taken now may be a handle that a
// later part of the file uses.
template <typename Record>
Record* NumberedAtEnd(Record* record) {
  if (record != nullptr) record->SetHandle(0);
  return record;
}

// The current layer and text style point into their tables; a table read
// replaces every record, so the pointers must be set again at once.
void RebindCurrentLayer(FcGraph& graph) {
  FcLayerList& layers = graph.GetLayerList();
  if (layers.GetCount() == 0) graph.FindOrCreateLayerWhileReading("0");
  if (layers.GetCount() == 0) return;
  const std::string wanted = graph.GetSysVars().clayer.str();
  graph.SetCurrentLayer(layers.FindByName(wanted) != nullptr ? wanted : layers.GetAt(0)->GetName());
}

void RebindCurrentTextStyle(FcGraph& graph) {
  FcTextStyleList& styles = graph.GetTextStyleList();
  if (styles.GetCount() == 0) NumberedAtEnd(graph.FindOrCreateTextStyle("standard"));
  if (styles.GetCount() == 0) return;
  const std::string wanted = graph.GetSysVars().textstyle.str();
  graph.SetCurrentTextStyle(styles.Find(wanted) != nullptr ? wanted : styles.GetAt(0)->GetName());
}

bool ReadTables(FcGraph& graph, FcFiler& filer) {
  bool linetypesRead = false;
  for (;;) {
    std::string name;
    if (!ReadTableStart(filer, name)) return false;
    if (name == "ENDSEC") return true;
    int result = kFcStatusOk;
    if (EqualsNoCase(name, "VPORT")) {
      result = graph.GetViewportList().ReadDxf(filer);
    } else if (EqualsNoCase(name, "VIEW")) {
      // Views are not kept; the table's own handle is, so that the file
      // written again names it the same. A table without its subclass
      // marker still passes, without the handle.
      graph.GetViewList().FcObject::ReadDxf(filer);
      if (!SkipPast(filer, "ENDTAB")) return false;
    } else if (EqualsNoCase(name, "LTYPE")) {
      result = graph.GetLinetypeList().ReadDxf(filer);
      linetypesRead = true;
    } else if (EqualsNoCase(name, "LAYER")) {
      // Layers name their linetypes, which must be known by then.
      if (!linetypesRead) return false;
      result = graph.GetLayerList().ReadDxf(filer);
      RebindCurrentLayer(graph);
    } else if (EqualsNoCase(name, "STYLE")) {
      result = graph.GetTextStyleList().ReadDxf(filer);
      RebindCurrentTextStyle(graph);
    } else if (EqualsNoCase(name, "UCS")) {
      result = graph.GetUcsList().ReadDxf(filer);
    } else if (EqualsNoCase(name, "APPID")) {
      result = graph.GetAppIdList().ReadDxf(filer);
    } else if (EqualsNoCase(name, "DIMSTYLE")) {
      result = graph.GetDimStyleList().ReadDxf(filer);
    } else if (EqualsNoCase(name, "BLOCK_RECORD")) {
      result = graph.GetBlockList().ReadDxfBlockRecords(filer);
    } else if (!SkipPast(filer, "ENDTAB")) {
      return false;
    }
    if (result != kFcStatusOk) return false;
  }
}

FcLineType* EnsureLinetype(FcGraph& graph, std::string_view name, bool& created) {
  if (FcLineType* found = graph.GetLinetypeList().FindByName(name)) return found;
  FcLineType* made = graph.GetOrCreateLinetype(name);
  created = made != nullptr;
  return made;
}

FcBlock* EnsureSpaceBlock(FcGraph& graph, std::string_view name, std::uint8_t kind, bool& created) {
  FcBlockList& blocks = graph.GetBlockList();
  if (FcBlock* found = blocks.FindByName(name)) return found;
  auto* block = new FcBlock;
  blocks.Add(block);
  block->SetName(name);
  block->SetKind(kind);
  created = true;
  return block;
}

void EnsureNamedDictionary(FcGraph& graph, std::string_view name) {
  if (graph.GetNamedObjects().GetAt(name) != nullptr) return;
  auto* dictionary = new FcDictionary;
  if (!graph.AddNamedObject(name, dictionary)) delete dictionary;
}

// Handles are never 0; a file without a header leaves the seed there.
void KeepSeedAboveZero(FcGraph& graph) {
  if (graph.GetHandleSeed() == 0) graph.GetHandleSeed() = 1;
}

// What the rest of the program relies on and the file may lack. Runs
// before the blocks and entities are read and at the end; each step acts
// only when its record is missing. The named-object dictionary's entries
// are made only at the end: before that, the OBJECTS section may still
// bring them.
void CreateMissingDefaults(FcGraph& graph, CreatedAfterReading& created, bool atEnd) {
  KeepSeedAboveZero(graph);
  EnsureLinetype(graph, "ByLayer", created.byLayer);
  EnsureLinetype(graph, "ByBlock", created.byBlock);
  bool continuousCreated = false;
  FcLineType* continuous = EnsureLinetype(graph, "Continuous", continuousCreated);
  if (continuousCreated) {
    continuous->SetDescription("Solid Line");
    created.continuous = true;
  }
  graph.FindOrCreateLayerWhileReading("0");
  RebindCurrentTextStyle(graph);

  bool modelCreated = false;
  FcBlock* modelSpace = EnsureSpaceBlock(graph, kModelSpace, kBlockKindModelSpace, modelCreated);
  if (modelCreated) {
    created.modelSpace = true;
    created.renumberAppIds = true;
  }
  EnsureSpaceBlock(graph, kPaperSpace, kBlockKindPaperSpace, created.paperSpace);

  if (graph.GetDimStyleList().GetCount() == 0) {
    if (FcDimStyle* iso25 = NumberedAtEnd(graph.NewDimStyle("ISO-25"))) iso25->SetIso25Defaults();
  }
  if (graph.GetAppIdList().GetCount() == 0) NumberedAtEnd(graph.AddAppId("ACAD"));
  if (atEnd) {
    EnsureNamedDictionary(graph, "ACAD_GROUP");
    EnsureNamedDictionary(graph, "ACAD_MLINESTYLE");
  }

  RebindCurrentLayer(graph);
  graph.SetCurrentLinetype(graph.GetSysVars().celtype.str());
  graph.SetCurrentDimStyle(graph.GetSysVars().dimstyle.str());

  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());
  modelSpace->GetEntities().SetGrowthStep(kFcModelSpaceGrowth);
}

void GiveHandleWhenMissing(FcGraph& graph, FcObject& object) {
  if (object.GetHandle() == 0) graph.TakeHandle(object);
}

template <typename Table>
void GiveRecordsHandles(FcGraph& graph, Table& table) {
  for (int i = 0; i < table.GetCount(); ++i) GiveHandleWhenMissing(graph, *table.GetAt(i));
}

void AssignMissingHandles(FcGraph& graph, const CreatedAfterReading& created) {
  KeepSeedAboveZero(graph);
  FcBlockList& blocks = graph.GetBlockList();
  for (FcObject* control :
       {static_cast<FcObject*>(&blocks), static_cast<FcObject*>(&graph.GetLayerList()),
        static_cast<FcObject*>(&graph.GetLinetypeList()), static_cast<FcObject*>(&graph.GetTextStyleList()),
        static_cast<FcObject*>(&graph.GetDimStyleList()), static_cast<FcObject*>(&graph.GetViewportList()),
        static_cast<FcObject*>(&graph.GetUcsList()), static_cast<FcObject*>(&graph.GetAppIdList()),
        static_cast<FcObject*>(&graph.GetViewList()), static_cast<FcObject*>(&graph.GetNamedObjects())}) {
    GiveHandleWhenMissing(graph, *control);
  }
  const std::pair<bool, std::string_view> spaces[] = {{created.modelSpace, kModelSpace},
                                                      {created.paperSpace, kPaperSpace}};
  for (const auto& [made, name] : spaces) {
    FcBlock* block = made ? blocks.FindByName(name) : nullptr;
    if (block == nullptr) continue;
    graph.TakeHandle(*block);
    // The block's BLOCK and ENDBLK records took handles when it was made.
    if (block->GetBegin() != nullptr) graph.TakeHandle(*block->GetBegin());
    if (block->GetEnd() != nullptr) graph.TakeHandle(*block->GetEnd());
  }
  const std::pair<bool, std::string_view> linetypes[] = {
      {created.byLayer, "ByLayer"}, {created.byBlock, "ByBlock"}, {created.continuous, "Continuous"}};
  for (const auto& [made, name] : linetypes) {
    if (!made) continue;
    if (FcLineType* record = graph.GetLinetypeList().FindByName(name)) graph.TakeHandle(*record);
  }
  GiveHandleWhenMissing(graph, graph.GetViewportList().GetActive());
  // The file never carries this control object, so it is always new.
  graph.TakeHandle(graph.GetViewHeaderCtrl());
  graph.GetSysVars().HeaderHandles.viewportEntityHeaderControl = graph.GetViewHeaderCtrl().GetHandle();
  FcAppIDList& appIds = graph.GetAppIdList();
  if (created.renumberAppIds) {
    for (int i = 0; i < appIds.GetCount(); ++i) graph.TakeHandle(*appIds.GetAt(i));
  }
  // Records that stood in while the file was read, or that a file gave no
  // handle, must not share handle 0.
  GiveRecordsHandles(graph, graph.GetLayerList());
  GiveRecordsHandles(graph, graph.GetLinetypeList());
  GiveRecordsHandles(graph, graph.GetTextStyleList());
  GiveRecordsHandles(graph, graph.GetDimStyleList());
  GiveRecordsHandles(graph, graph.GetUcsList());
  GiveRecordsHandles(graph, appIds);
  // Simple programs write entities without handles.
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    FcBlock* block = blocks.GetAt(i);
    GiveHandleWhenMissing(graph, *block);
    for (FcEntity* entity : block->GetEntities()) GiveHandleWhenMissing(graph, *entity);
  }
}

// The block table, its blocks and those of their entities that an object
// of the OBJECTS section may belong to, in the order the block table asks
// them. Only an object with an extension dictionary takes one, and few
// entities have one: asking each entity of a large drawing for each object
// cost more than reading the entities.
class BlockTableOwners {
 public:
  explicit BlockTableOwners(FcBlockList& blocks) {
    owners_.push_back(&blocks);
    for (int i = 0; i < blocks.GetBlockCount(); ++i) {
      FcBlock* block = blocks.GetAt(i);
      owners_.push_back(block);
      const FcEntitySets& entities = block->GetEntities();
      for (int k = entities.GetCount() - 1; k >= 0; --k) {
        FcEntity* entity = entities.GetAt(k);
        if (entity->GetExtDictionaryHandle() != 0 || entity->GetExtDictionary() != nullptr) owners_.push_back(entity);
      }
    }
  }

  bool Adopt(FcObject* object) const {
    for (FcObject* owner : owners_) {
      if (owner->FcObject::ResolveOwner(object)) return true;
    }
    return false;
  }

 private:
  std::vector<FcObject*> owners_;
};

// An object read in the OBJECTS section goes to the first dictionary or
// table that waits for it.
bool PlaceObject(FcGraph& graph, const BlockTableOwners& blockTable, FcObject* object) {
  if (graph.GetNamedObjects().LinkObject(object)) return true;
  if (blockTable.Adopt(object)) return true;
  for (FcObject* table :
       {static_cast<FcObject*>(&graph.GetLayerList()),
        static_cast<FcObject*>(&graph.GetLinetypeList()), static_cast<FcObject*>(&graph.GetTextStyleList()),
        static_cast<FcObject*>(&graph.GetDimStyleList()), static_cast<FcObject*>(&graph.GetUcsList()),
        static_cast<FcObject*>(&graph.GetAppIdList())}) {
    if (table->ResolveOwner(object)) return true;
  }
  return false;
}

void CountSkipped(FcSkippedRecords* skipped, std::string_view name) {
  if (skipped != nullptr) ++(*skipped)[UpperAscii(name)];
}

bool ReadObjects(FcGraph& graph, FcFiler& filer, FcSkippedRecords* skipped) {
  FcResBuf group;
  if (!filer.ReadGroup(group) || !IsGroup0(group, "DICTIONARY")) return false;
  FcDictionary& root = graph.GetNamedObjects();
  // A second OBJECTS section starts the tree again instead of mixing in.
  root.RemoveAll();
  if (root.ReadDxf(filer) != kFcStatusOk) return false;
  root.KeepKnownEntries();
  const BlockTableOwners blockTable(graph.GetBlockList());
  for (;;) {
    if (!filer.ReadGroup(group) || group.type != 0) return false;
    const std::string name(TextOf(group));
    if (EqualsNoCase(name, "ENDSEC")) {
      root.RemoveUnresolved(true);
      return true;
    }
    // Made without a handle: the record brings its own, and a handle taken
    // from the seed for every record would only be thrown away.
    FcObject* object = CreateObjectByName(name);
    if (object == nullptr) {
      CountSkipped(skipped, name);
      if (filer.SkipToNextEntity() != 0) return false;
      continue;
    }
    if (object->GetDwgType() <= 0) object->SetDwgType(graph.GetCustomClassType(name));
    const FcFiler::Place recordStart = filer.GetPlace();
    if (object->ReadDxf(filer) != kFcStatusOk) {
      // A record that its own reader refuses is passed over like one of an
      // unknown kind: the entry that names it is dropped at the end, its
      // dictionary and the rest of the file are kept.
      delete object;
      CountSkipped(skipped, name);
      filer.SeekToPlace(recordStart);
      if (filer.SkipToNextEntity() != 0) return false;
      continue;
    }
    if (object->GetHandle() == 0) graph.TakeHandle(*object);
    if (!PlaceObject(graph, blockTable, object)) delete object;
  }
}

// Whether the entity reader makes an object for records of the name.
// Dimensions are made by their kind; one class stands for all of them.
bool HasEntityClass(const std::string& name, std::unordered_map<std::string, bool>& known) {
  const auto found = known.find(name);
  if (found != known.end()) return found->second;
  FcObject* object = CreateObjectByName(name == "DIMENSION" ? "FcDimRotate" : name);
  const bool isEntity = dynamic_cast<FcEntity*>(object) != nullptr;
  delete object;
  known.emplace(name, isEntity);
  return isEntity;
}

// Counts the entity records between start and the filer's position that
// the entity reader passed over; the filer ends where it was.
void CountSkippedEntities(FcFiler& filer, std::int64_t start, FcSkippedRecords* skipped) {
  if (skipped == nullptr || !filer.HasSkippedRecords()) return;
  const std::int64_t end = filer.GetFile()->GetPosition();
  filer.Seek(start, FcSeekOrigin::kBegin);
  std::unordered_map<std::string, bool> known;
  // The vertices of a polyline are read with it.
  bool inPolyline = false;
  FcResBuf group;
  while (filer.GetFile()->GetPosition() < end && filer.ReadGroup(group)) {
    if (group.type != 0) continue;
    const std::string name = UpperAscii(TextOf(group));
    if (name == "BLOCK" || name == "ENDBLK" || name == "ENDSEC") continue;
    if (name == "VERTEX" && inPolyline) continue;
    inPolyline = name == "POLYLINE" || (name == "VERTEX" && inPolyline);
    if (!HasEntityClass(name, known)) ++(*skipped)[name];
  }
  filer.Seek(end, FcSeekOrigin::kBegin);
}

// Entities of the ENTITIES section belong to model space and to the layer
// they name, which is made when the tables lack it.
void BindModelSpaceEntities(FcGraph& graph, FcBlock& modelSpace) {
  // Entities come in runs on one layer: the layer of the last name is
  // taken again without a search.
  std::string lastName;
  FcLayer* lastLayer = nullptr;
  for (FcEntity* entity : modelSpace.GetEntities()) {
    entity->SetBlockOfMember(&modelSpace);
    const std::string_view name = entity->GetLayerName().str();
    if (lastLayer == nullptr || name != lastName) {
      lastLayer = graph.FindOrCreateLayerWhileReading(name);
      lastName = name;
    }
    entity->SetLayer(lastLayer != nullptr ? lastLayer : graph.GetCurrentLayer());
  }
}

FcDxfReadResult ReadEntitiesSection(FcGraph& graph, FcFiler& filer, CreatedAfterReading& created, FcSkippedRecords* skipped) {
  CreateMissingDefaults(graph, created, false);
  FcBlock* modelSpace = graph.GetCurrentBlock();
  const std::int64_t start = filer.GetFile()->GetPosition();
  if (modelSpace->GetEntities().ReadDxf(filer) != kFcStatusOk) return FcDxfReadResult::kNoEof;
  CountSkippedEntities(filer, start, skipped);
  BindModelSpaceEntities(graph, *modelSpace);
  return FcDxfReadResult::kDone;
}

// The TABLES section of a file that puts it after its blocks or entities,
// read ahead of them: they hold their layers and linetypes by pointer,
// which a table read after them would pull away. The filer returns to
// where it was; tablesAt is where the section's tables start, -1 when the
// file has none there. False when the section cannot be read.
bool ReadLaterTables(FcGraph& graph, FcFiler& filer, std::int64_t& tablesAt) {
  const FcFiler::Place back = filer.GetPlace();
  tablesAt = -1;
  bool read = true;
  std::string name;
  while (SkipPast(filer, "ENDSEC") && ReadSectionStart(filer, name) && name != "EOF") {
    if (!EqualsNoCase(name, "TABLES")) continue;
    tablesAt = filer.GetFile()->GetPosition();
    read = ReadTables(graph, filer);
    break;
  }
  filer.SeekToPlace(back);
  return read;
}

FcDxfReadResult ReadBlocksSection(FcGraph& graph, FcFiler& filer, CreatedAfterReading& created, FcSkippedRecords* skipped) {
  CreateMissingDefaults(graph, created, false);
  const std::int64_t start = filer.GetFile()->GetPosition();
  if (graph.GetBlockList().ReadDxf(filer) != kFcStatusOk) return FcDxfReadResult::kSectionFailed;
  CountSkippedEntities(filer, start, skipped);
  return FcDxfReadResult::kDone;
}

// Binary files before release 13 give their group codes one byte: the
// first group, 0 "SECTION", then starts with a zero byte and a letter.
bool HasOneByteGroupCodes(FcFiler& filer) {
  const FcFile* file = filer.GetFile();
  if (filer.GetKind() != FcFileKind::kBinaryDxf || file->GetLength() - file->GetPosition() < 2) return false;
  const char* next = file->Data() + file->GetPosition();
  return next[0] == 0 && next[1] != 0;
}

template <typename Table, typename Visit>
void VisitRecords(const Table& table, Visit& visit) {
  for (int i = 0; i < table.GetCount(); ++i) visit(*table.GetAt(i));
}

// Every table, record, block and entity that is found by its handle.
template <typename Visit>
void VisitHandleHolders(const FcGraph& graph, Visit&& visit) {
  for (const FcObject* control :
       {static_cast<const FcObject*>(&graph.GetBlockList()), static_cast<const FcObject*>(&graph.GetLayerList()),
        static_cast<const FcObject*>(&graph.GetLinetypeList()),
        static_cast<const FcObject*>(&graph.GetTextStyleList()),
        static_cast<const FcObject*>(&graph.GetDimStyleList()), static_cast<const FcObject*>(&graph.GetViewportList()),
        static_cast<const FcObject*>(&graph.GetViewportList().GetActive()),
        static_cast<const FcObject*>(&graph.GetUcsList()), static_cast<const FcObject*>(&graph.GetAppIdList()),
        static_cast<const FcObject*>(&graph.GetViewList())}) {
    visit(*control);
  }
  VisitRecords(graph.GetLayerList(), visit);
  VisitRecords(graph.GetLinetypeList(), visit);
  VisitRecords(graph.GetTextStyleList(), visit);
  VisitRecords(graph.GetDimStyleList(), visit);
  VisitRecords(graph.GetUcsList(), visit);
  VisitRecords(graph.GetAppIdList(), visit);
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    const FcBlock* block = blocks.GetAt(i);
    visit(*block);
    for (const FcEntity* entity : block->GetEntities()) visit(*entity);
  }
}

// A file that gives two of them the same handle is damaged; handle 0
// stands for none. One walk over the drawing, whose records lie scattered
// in memory, marks each handle in a bitmap: handles are mostly dense, and
// one bit for each up to the largest is far smaller than any list of them.
// Handles beyond what a bitmap of bounded size holds are gathered and
// sorted instead.
bool HandlesAreUnique(const FcGraph& graph) {
  constexpr FcHandle kBitmapLimit = FcHandle{1} << 26;
  std::vector<bool> seen;
  std::vector<FcHandle> beyond;
  bool unique = true;
  VisitHandleHolders(graph, [&](const FcObject& object) {
    const FcHandle handle = object.GetHandle();
    if (handle == 0) return;
    if (handle >= kBitmapLimit) {
      beyond.push_back(handle);
      return;
    }
    if (handle >= seen.size()) seen.resize(static_cast<std::size_t>(handle) + 1);
    if (seen[handle]) unique = false;
    seen[handle] = true;
  });
  std::sort(beyond.begin(), beyond.end());
  return unique && std::adjacent_find(beyond.begin(), beyond.end()) == beyond.end();
}

FcDxfReadResult FinishReading(FcGraph& graph, FcFiler& filer) {
  if (!HandlesAreUnique(graph)) return FcDxfReadResult::kSectionFailed;
  graph.GetDimStyleList().ResolveBlockNames();
  // The current style's values, text style now resolved, are the
  // dimension variables.
  graph.SetCurrentDimStyle(graph.GetSysVars().dimstyle.str());
  graph.GetNamedObjects().RemoveUnresolved(true);
  FcSystemVar& vars = graph.GetSysVars();
  if (!filer.GetFilePath().empty()) {
    vars.SetDwgName(filer.GetFileName());
    vars.SetDwgPrefix(PathDirectory(filer.GetFilePath()));
  }
  vars.dwgtitled = 1;
  return FcDxfReadResult::kDone;
}

}  // namespace

void EmptyGraphForReading(FcGraph& graph) {
  // A new drawing's contents first: that empties the entities and leaves
  // every current-record pointer valid.
  graph.InitDefaults();
  graph.SetCurrentBlock(nullptr);
  graph.SetCurrentEntitySet(nullptr);
  graph.GetBlockList().RemoveAll();
  graph.GetNamedObjects().RemoveAll();
  graph.GetLinetypeList().RemoveAll();
  graph.GetLayerList().RemoveAll();
  if (FcLayer* zero = graph.FindOrCreateLayer("0")) zero->SetHandle(0);
  graph.SetCurrentLayer("0");
  graph.GetTextStyleList().RemoveAll();
  if (FcTextStyle* standard = graph.FindOrCreateTextStyle("standard")) standard->SetHandle(0);
  graph.SetCurrentTextStyle("standard");
  graph.GetDimStyleList().RemoveAll();
  graph.GetUcsList().RemoveAll();
  graph.GetAppIdList().RemoveAll();
  for (FcObject* control :
       {static_cast<FcObject*>(&graph.GetBlockList()), static_cast<FcObject*>(&graph.GetLayerList()),
        static_cast<FcObject*>(&graph.GetLinetypeList()), static_cast<FcObject*>(&graph.GetTextStyleList()),
        static_cast<FcObject*>(&graph.GetDimStyleList()), static_cast<FcObject*>(&graph.GetViewportList()),
        static_cast<FcObject*>(&graph.GetViewportList().GetActive()), static_cast<FcObject*>(&graph.GetUcsList()),
        static_cast<FcObject*>(&graph.GetAppIdList()), static_cast<FcObject*>(&graph.GetViewList()),
        static_cast<FcObject*>(&graph.GetViewHeaderCtrl()), static_cast<FcObject*>(&graph.GetNamedObjects())}) {
    control->SetHandle(0);
  }
  graph.GetHandleSeed() = 0;
}

FcDxfReadResult ReadDxf(FcGraph& graph, FcFiler& filer, FcSkippedRecords* skippedByKind) {
  // Counted whether the caller asks or not: the drawing keeps the count.
  FcSkippedRecords counted;
  FcSkippedRecords* skipped = &counted;
  if (HasOneByteGroupCodes(filer)) {
    PrintMessage(kDxfOtherReleaseMessage);
    return FcDxfReadResult::kOtherRelease;
  }
  EmptyGraphForReading(graph);
  CreatedAfterReading created;
  bool entitiesRead = false;
  bool entitiesMade = false;
  bool tablesRead = false;
  std::int64_t tablesReadAhead = -1;
  for (;;) {
    std::string name;
    if (!ReadSectionStart(filer, name)) return FcDxfReadResult::kNoEof;
    if (EqualsNoCase(name, "HEADER")) {
      const std::string release = PeekFileRelease(filer);
      if (ReadDxfHeader(graph.GetSysVars(), filer) != 0) return FcDxfReadResult::kHeaderFailed;
      if (!IsReadableRelease(release)) {
        PrintMessage(kDxfOtherReleaseMessage);
        return FcDxfReadResult::kOtherRelease;
      }
    } else if (EqualsNoCase(name, "CLASSES")) {
      if (graph.GetClassList().ReadDxf(filer) != 0) return FcDxfReadResult::kSectionFailed;
    } else if (EqualsNoCase(name, "TABLES")) {
      if (filer.GetFile()->GetPosition() == tablesReadAhead) {
        if (!SkipPast(filer, "ENDSEC")) return FcDxfReadResult::kSkipFailed;
        continue;
      }
      // Blocks and entities hold their layers and linetypes by pointer: a
      // second table read after them would pull those records away.
      if (entitiesMade || !ReadTables(graph, filer)) return FcDxfReadResult::kSectionFailed;
      tablesRead = true;
    } else if (EqualsNoCase(name, "BLOCKS") || EqualsNoCase(name, "ENTITIES")) {
      if (!tablesRead && !entitiesMade && !ReadLaterTables(graph, filer, tablesReadAhead)) {
        return FcDxfReadResult::kSectionFailed;
      }
      entitiesMade = true;
      const bool blocks = EqualsNoCase(name, "BLOCKS");
      const FcDxfReadResult result = blocks ? ReadBlocksSection(graph, filer, created, skipped)
                                : ReadEntitiesSection(graph, filer, created, skipped);
      if (result != FcDxfReadResult::kDone) return result;
      entitiesRead = entitiesRead || !blocks;
    } else if (EqualsNoCase(name, "OBJECTS")) {
      if (!ReadObjects(graph, filer, skipped)) return FcDxfReadResult::kSectionFailed;
    } else if (EqualsNoCase(name, "EOF")) {
      if (!entitiesRead || graph.GetHandleSeed() > kFcLargestFileHandleSeed) return FcDxfReadResult::kSectionFailed;
      CreateMissingDefaults(graph, created, true);
      AssignMissingHandles(graph, created);
      const FcDxfReadResult result = FinishReading(graph, filer);
      if (result != FcDxfReadResult::kDone) return result;
      if (skippedByKind != nullptr) *skippedByKind = counted;
      graph.SetSkippedRecords(std::move(counted));
      return FcDxfReadResult::kDone;
    } else if (!SkipPast(filer, "ENDSEC")) {
      return FcDxfReadResult::kSkipFailed;
    }
  }
}
