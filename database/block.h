#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/data_array.h"
#include "core/handle.h"
#include "core/point2d.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/object.h"
#include "database/record_name_index.h"

class FcBlockBegin;
class FcBlockEnd;
class FcBlockList;
class FcGraph;
class FcLayer;
class FcSortEntsTable;

// Kinds of block: what the DWG entity record writes as the entity mode of
// the block's entities.
inline constexpr std::uint8_t kBlockKindOther = 0;
inline constexpr std::uint8_t kBlockKindPaperSpace = 1;
inline constexpr std::uint8_t kBlockKindModelSpace = 2;

// Flags of a block (its begin entity's DXF 70).
inline constexpr std::int32_t kBlockAnonymous = 1;
inline constexpr std::int32_t kBlockHasAttributeDefs = 2;
inline constexpr std::int32_t kBlockExternal = 4;
inline constexpr std::int32_t kBlockOverlaid = 8;
inline constexpr std::int32_t kBlockXrefDependent = 16;

// One block record: the begin entity that carries its name, base point and
// flags, its entities, its end entity, and the handles of the references
// that use it. The block owns its entities and both markers; the markers
// belong to the block but are not members of its entity set.
class FcBlock : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 49;

  FcBlock();
  ~FcBlock() override;
  static FcObject* Create();

  // Entities of the block; model space and paper space go to the ENTITIES
  // section instead.
  int WriteDxf(FcFiler& filer) override;
  // The definition in the BLOCKS section: 0, 1 when the BLOCK record fails,
  // 2 when the entities or the ENDBLK record fail.
  int ReadDxf(FcFiler& filer) override;
  int WriteDwg(FcFilerDwg& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int WriteDxfOwned(FcFiler& filer) override;
  bool ResolveOwner(FcObject* candidate) override;
  // The number of entities.
  int GetCount() const override;

  // One BLOCK_RECORD entry of the TABLES section: 0, 1 when the record is
  // malformed or has no name, 2 when a marker cannot be made or extended
  // data fails.
  int ReadDxfRecord(FcFiler& filer);

  // Makes the begin and end entities, each with the drawing's next handle
  // (begin first) and the current layer.
  void CreateBeginEnd();
  // False, leaving the entity out, when it references a block that reaches
  // this one (a block would then contain itself).
  bool AddEntity(FcEntity* entity);
  void RemoveEntity(FcEntity* entity);
  // Makes this block a copy of a block of another drawing.
  void CopyFrom(const FcBlock& source, bool keepHandles);
  // Lets every entity mark what it references.
  void MarkReferences();
  // Builds the blocks of the block's dimensions again, the first entity
  // included.
  void RebuildDimensions();

  FcSortEntsTable* GetSortEntsTable() const;
  // Appends the handle to the draw-order table when the block has one.
  void AddToSortEntsTable(FcHandle handle);
  // Only model and paper space keep a draw-order table.
  void SetSortEntsTable(FcSortEntsTable* table);
  void RebuildSortEntsTable();
  void CleanSortEntsTable();

  // The name, base point and flags live in the begin entity; an empty name
  // and no flags while there is none.
  const std::string& GetName() const;
  void SetName(std::string_view name);
  FcPoint2d GetBasePoint() const;
  void SetBasePoint(const FcPoint2d& point);
  std::int32_t GetFlags() const;
  void SetFlags(std::int32_t flags);

  FcBlockBegin* GetBegin() const { return begin_.get(); }
  FcBlockEnd* GetEnd() const { return end_.get(); }
  FcEntitySets& GetEntities() { return entities_; }
  const FcEntitySets& GetEntities() const { return entities_; }
  CDataArray<FcHandle>& GetReferences() { return references_; }
  const CDataArray<FcHandle>& GetReferences() const { return references_; }
  FcHandle GetLayoutHandle() const { return layoutHandle_; }
  void SetLayoutHandle(FcHandle handle) { layoutHandle_ = handle; }
  std::uint8_t GetKind() const { return kind_; }
  void SetKind(std::uint8_t kind) { kind_ = kind; }
  bool IsDefined() const { return defined_; }
  void SetDefined(bool defined) { defined_ = defined; }
  bool IsUnreferenced() const { return unreferenced_; }
  void SetUnreferenced(bool unreferenced) { unreferenced_ = unreferenced; }

  // What ByBlock entities of the block are drawn with while a reference
  // draws it: colour 256 and no linetype outside such a draw.
  std::int16_t GetByBlockColor() const { return byBlockColor_; }
  void SetByBlockColor(std::int16_t color) { byBlockColor_ = color; }
  FcLineType* GetByBlockLinetype() const { return byBlockLinetype_; }
  // The ByBlock marker in the field is never overwritten.
  void SetByBlockLinetype(FcLineType* linetype);

  // The drawing of the table that holds the block, or null.
  FcGraph* GetGraph() const;
  FcBlockList* GetTable() const;

  // True when drawing this block would reach it again through the block
  // references in it (directly or through other blocks). A caller that is
  // about to add a reference to `target` into this block asks
  // ReachesBlock(target) first.
  bool ReachesBlock(const FcBlock* target) const;

 private:
  // Makes the begin and end entities that are missing; false when one
  // cannot be made.
  bool EnsureMarkers();
  // The markers attached to the block, given the current layer and kept out
  // of the entity set; false when one cannot be made.
  bool AttachMarkers();
  // The begin flags, with "has attribute definitions" recomputed from the
  // entities (not for model and paper space).
  std::int32_t FlagsForWriting() const;
  bool IsSpaceBlock() const;
  int ReadDwgMarkers(FcFilerDwg& filer, FcHandle beginHandle, FcHandle endHandle);
  // Tells the table when the name differs from the old one but for case.
  void NoteRenamedFrom(std::string_view old);
  FcHandle TakeNextHandle();

  CDataArray<FcHandle> references_;
  std::unique_ptr<FcBlockBegin> begin_;
  std::unique_ptr<FcBlockEnd> end_;
  FcEntitySets entities_{kFcBlockSetGrowth};
  FcHandle layoutHandle_ = 0;
  std::uint8_t kind_ = kBlockKindOther;
  bool defined_ = false;
  bool unreferenced_ = false;
  std::int16_t byBlockColor_ = kColorByLayer;
  FcLineType* byBlockLinetype_ = nullptr;
};

// The block table: the BLOCK control object of DWG, the BLOCK_RECORD table
// and the BLOCKS section of DXF. Record 0 is "*Model_Space" and record 1
// "*Paper_Space".
class FcBlockList : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 48;

  FcBlockList();
  ~FcBlockList() override;

  // The BLOCKS section.
  int WriteDxf(FcFiler& filer) override;
  // After 0 "SECTION" and 2 "BLOCKS": 0; 1 when a BLOCK record fails; 2
  // for a block defined twice, without record or failing, or a stray group;
  // 3 when a record was not defined.
  int ReadDxf(FcFiler& filer) override;
  // The control object, then every block record.
  int WriteDwg(FcFilerDwg& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int WriteDxfOwned(FcFiler& filer) override;
  bool ResolveOwner(FcObject* candidate) override;
  // Two for each block plus every block's entities.
  int GetCount() const override;

  int WriteDxfBlockRecords(FcFiler& filer);
  // After 0 "TABLE" and 2 "BLOCK_RECORD": 0; 1 when malformed; 3 when a
  // block cannot be made; 4 when a record fails.
  int ReadDxfBlockRecords(FcFiler& filer);

  int GetBlockCount() const { return records_.count; }
  FcBlock* GetAt(int index) const;
  // Through an index kept in step with appended and renamed blocks.
  FcBlock* FindByName(std::string_view name) const;
  FcBlock* FindByHandle(FcHandle handle) const;
  // Appends the block (owned from now on) with the drawing's next handle
  // and its begin and end entities; nothing for null.
  void Add(FcBlock* block);
  FcBlock* AddNew();
  // A new block named "*D" with the smallest free number, flagged
  // anonymous.
  FcBlock* AddAnonymousBlock();
  bool RemoveByName(std::string_view name);
  bool RemoveByHandle(FcHandle handle);
  void RemoveAll();
  // Room for n more blocks, growing by half the count (at least 16), or by
  // that plus n when n is larger.
  bool Grow(int n);
  int GetCapacity() const { return records_.capacity; }
  // Keeps the name index in step with a block that took a new name.
  void NoteBlockRenamed(const FcBlock& block);
  // Blocks visited to build the name index, for tests that guard against
  // look-ups that grow with the table.
  std::size_t GetNameIndexWork() const { return nameIndex_.GetBuildWork(); }
  // Deletes the external-reference blocks after a drawing was opened.
  void RemoveExternalBlocks();
  // Clears the marks of model and paper space, sets those of the others
  // and empties their reference lists; the block count.
  int ClearReferenceMarks();

  FcGraph* GetGraph() const { return graph_; }
  void SetGraph(FcGraph* graph) { graph_ = graph; }
  FcHandle GetModelSpaceHandle() const { return modelSpaceHandle_; }
  FcHandle GetPaperSpaceHandle() const { return paperSpaceHandle_; }

  // Deletes the block references that make a block contain itself, with
  // the sub-entities and SEQEND that follow them.
  void RemoveSelfReferences();

 private:
  // Appends with the table as owner, keeping the block's handle.
  void AppendRecord(FcBlock* block);
  void DeleteAt(int index);
  void SwapRecords(int a, int b);
  // Puts the block of that name at the index with the kind, making one
  // when there is none.
  bool FixSpaceBlock(int index, std::string_view name, std::uint8_t kind);
  // Reads one block record by handle; null (deleted) on failure.
  FcBlock* ReadDwgBlock(FcFilerDwg& filer, FcHandle handle);

  FcGraph* graph_ = nullptr;
  // Owned.
  CDataArray<FcBlock*> records_;
  mutable RecordNameIndex nameIndex_;
  FcHandle modelSpaceHandle_ = 0;
  FcHandle paperSpaceHandle_ = 0;
};
