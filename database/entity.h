#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/data_array.h"
#include "core/geom_segment.h"
#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/draw_sink.h"
#include "database/fixed_text.h"
#include "database/object.h"
#include "database/shared_name.h"

class FcBlock;
class FcEntitySets;
class FcFiler;
class FcFilerDwg;
class FcGraph;
class FcLayer;
class FcLineType;
struct FcResBuf;

// The class of an entity as the editing code tests it.
using EntityKind = std::int16_t;
inline constexpr EntityKind kEntityBase = 0;
inline constexpr EntityKind kEntityLine = 1;
inline constexpr EntityKind kEntityPoint = 2;
inline constexpr EntityKind kEntityCircle = 3;
inline constexpr EntityKind kEntityEllipse = 5;
inline constexpr EntityKind kEntitySpline = 6;
inline constexpr EntityKind kEntityText = 7;
inline constexpr EntityKind kEntityArc = 8;
inline constexpr EntityKind kEntityTrace = 9;
inline constexpr EntityKind kEntitySolid = 11;
inline constexpr EntityKind kEntityBlockBegin = 12;
inline constexpr EntityKind kEntityBlockEnd = 13;
inline constexpr EntityKind kEntityInsert = 14;
inline constexpr EntityKind kEntityAttributeDef = 15;
inline constexpr EntityKind kEntityAttribute = 16;
inline constexpr EntityKind kEntitySeqend = 17;
inline constexpr EntityKind kEntityVertex = 20;
inline constexpr EntityKind kEntity3DFace = 22;
inline constexpr EntityKind kEntityDimension = 23;
inline constexpr EntityKind kEntityRay = 26;
inline constexpr EntityKind kEntityXLine = 27;
inline constexpr EntityKind kEntityMText = 28;
inline constexpr EntityKind kEntityLeader = 29;
inline constexpr EntityKind kEntityTolerance = 30;
inline constexpr EntityKind kEntityPolyline = 32;
// 3D polylines and meshes: the heavy polyline records that are not 2D.
inline constexpr EntityKind kEntityPolyline3d = 36;
inline constexpr EntityKind kEntityHatch = 33;
inline constexpr EntityKind kEntityImage = 34;

inline constexpr std::int16_t kColorByBlock = 0;

// The ByBlock marker of a linetype pointer (the pointer value -1); null is
// ByLayer. Never dereferenced.
FcLineType* LinetypeByBlock();
inline bool IsLinetypeMarker(const FcLineType* linetype) {
  return linetype == nullptr || linetype == LinetypeByBlock();
}

// Snap and boundary records handed out by entities; the requester owns them.
using GeomSegmentList = std::vector<std::unique_ptr<GeomSegment>>;

// The drawing that owns the entity: the one that holds its block, else the
// one that holds its layer. Only an entity that knows neither (not yet added
// anywhere) is taken to belong to the current drawing.
FcGraph* OwnerGraphOf(const FcEntity& entity);

// The layer, colour and linetype decision of FcEntity::Draw: false when the
// entity is not to be drawn (frozen or, when printing, non-plotting layer,
// or no layer at all); otherwise the pen it is drawn with.
bool ResolvePen(const FcEntity& entity, const FcPenContext& context, FcPen& pen);

// A reader of one group of a record, borrowed for the length of one call:
// the callable it was made from must outlive it. Cheaper to make than
// std::function, which the group loops below would otherwise build for
// every record read; it converts from any callable just as implicitly.
class FcGroupReaderRef {
 public:
  template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FcGroupReaderRef>)
  FcGroupReaderRef(Callable&& callable)
      : callable_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
        call_([](void* target, const FcResBuf& group) -> int {
          return (*static_cast<std::remove_reference_t<Callable>*>(target))(group);
        }) {}

  int operator()(const FcResBuf& group) const { return call_(callable_, group); }

 private:
  void* callable_;
  int (*call_)(void* target, const FcResBuf& group);
};

// The group loop of a record after its subclass marker: 0 or 100 is put
// back and ends the record (0), 1001 reads extended data into the object (2
// when it fails), every other group goes to `own`, whose non-zero result
// ends the loop with that result; the end of the input gives 1.
int ReadRecordGroups(FcObject& object, FcFiler& filer, FcGroupReaderRef own);
// The same loop continued in the caller's work node, which is also where a
// group 0 or 100 that ends the record is left instead of being put back.
int ReadRecordGroups(FcObject& object, FcFiler& filer, FcResBuf& group, FcGroupReaderRef own);

// The base of every drawable object: the properties every entity has, the
// operations the editing, display and file code call on any entity, and
// the common part of the entity records in DXF and DWG files.
class FcEntity : public FcObject {
 public:
  ~FcEntity() override;

  using FcObject::Copy;
  using FcObject::CopyFromOtherGraph;

  // The common DXF groups (0, 5, 330, 100 "AcDbEntity", 8, and 62, 6, 48,
  // 60 where they differ from the defaults); 0.
  int WriteDxf(FcFiler& filer) override;
  // The common groups up to the class's subclass marker, which is put back:
  // 0; 1 at the end of input or without 100 "AcDbEntity"; 2 bad extended
  // data; 3 an unknown linetype name.
  int ReadDxf(FcFiler& filer) override;
  // ReadDxf in the caller's work node, where the group that ended the
  // common groups (the class's marker on success) is left instead of being
  // put back. A record without subclass markers gives 5, the filer back at
  // the record's first group.
  int ReadDxfCommon(FcFiler& filer, FcResBuf& group);
  // Reads a record that has no subclass markers, as simple programs write
  // it, from its first group by the group codes alone: the handle,
  // extended data and the common groups here, every other group to own.
  // Owner and bracket groups are passed over. The results of ReadDxf.
  int ReadDxfWithoutMarkers(FcFiler& filer, FcGroupReaderRef own);

  virtual FcEntity* FindObjectByHandle(FcHandle handle);
  // The pen set-up every class runs first; true when the entity is drawn.
  virtual bool Draw(FcDrawSink* sink);
  // Drawing changes nothing but the entity itself and the sink, and reads
  // only what no other entity's drawing changes (tables, fonts, the
  // drawing's settings): such entities may draw on several threads at
  // once. Block references, dimensions and the like share what they draw.
  virtual bool DrawsOnlyItself() const { return false; }
  // One group of the common DXF data (linetype 6, layer 8 and colour 62 may
  // also stand among a record's own groups): 0, or 3 for a linetype the drawing
  // does not have; other codes are passed over.
  int ReadCommonGroup(FcFiler& filer, const FcResBuf& group);
  // Clears the unreferenced mark of the entity's linetype record.
  virtual void MarkReferences();
  virtual FcEntity* Clone() const = 0;
  // Nothing for null: the common data of an entity of the same drawing,
  // layer and linetype found again by handle.
  virtual void Copy(const FcEntity* other);
  virtual FcEntity* CloneFromOtherGraph(FcGraph& target) const = 0;
  // Nothing for null: the common data of an entity of another drawing,
  // layer and linetype found again by name in the target drawing.
  virtual void CopyFromOtherGraph(const FcEntity* other, FcGraph& target);
  virtual void Transform(const FcMatrix2d& matrix) = 0;
  virtual FcEntity* TransformedClone(const FcMatrix2d& matrix) const;
  // The common LIST lines through PrintMessage.
  virtual void List();
  // -1.0: no length.
  virtual double GetLength() const;
  // -1.0: no area.
  virtual double GetArea() const;
  // False: the entity cannot be exploded.
  virtual bool Explode(FcEntitySets& target);
  virtual void GetGripPoints(FcPoint2dArray& points) = 0;
  // Moves the whole entity by the offset; the number of indices.
  virtual int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset);
  virtual void GetStretchPoints(FcPoint2dArray& points);
  virtual int MoveStretchPoints(const CIntArray& indices, const FcPoint2d& offset);
  // The entity's DWG record, in the release 2000 layout: the common data,
  // the class's data, the common handles and the class's handles.
  virtual int WriteDwg(FcFilerDwg& filer, FcHandle previous, FcHandle next, FcHandle extra1,
                       FcHandle extra2, FcHandle extra3);
  virtual void WriteDwgData(FcFilerDwg& filer);
  virtual void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2,
                               FcHandle extra3);
  // -3: the class has no DWG form.
  virtual int ReadDwgData(FcFilerDwg& filer);
  virtual int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2,
                             FcHandle& extra3);
  // Reads the record whose MS size and type the caller has read
  // (FcFilerDwg::SeekObject): 0, 2 on a failed read, a handle or CRC
  // mismatch or a missing layer, or the class reader's result.
  virtual int ReadDwg(FcFilerDwg& filer, std::int64_t size, std::int64_t offset,
                      FcHandle& previous, FcHandle& next, FcHandle& extra1, FcHandle& extra2,
                      FcHandle& extra3);
  // Records a class writes right after its own, in the chain of its block
  // but owned by it (the vertices of a heavy polyline and their SEQEND):
  // kFcStatusNoDwgForm when the class has none, else 0.
  virtual int WriteDwgSubRecords(FcFilerDwg& filer);
  // Reads those records, from the first to the last handle that the
  // class's handles named: kFcStatusNoDwgForm when the class has none (the
  // chain reader then reads them as attributes), else 0 or 2.
  virtual int ReadDwgSubRecords(FcFilerDwg& filer, FcHandle first, FcHandle last);
  // Finishes an entity decoded ahead of the drawing (by a filer that
  // IsDecodingAhead) as its reader would have: it joins its layer's member
  // list, and a class whose parts take handles from the drawing's seed
  // takes them now.
  virtual void FinishDecodedAhead(FcGraph* graph);
  virtual void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments);
  // Sets the mode word to 0.
  virtual void GetTangentPoints(const FcPoint2d* basePoint, const FcPoint2d& pickPoint,
                                int parameter, const FcMatrix2d& matrix, FcPoint2d& out,
                                int& mode);
  virtual void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex,
                               const FcMatrix2d& matrix, GeomSegmentList& segments) = 0;
  virtual void GetBlockSnapSegments(int mode, const FcPoint2d& pickPoint, FcHandle subEntity,
                                    int subIndex, int secondIndex, const FcMatrix2d& matrix,
                                    GeomSegmentList& segments);
  // False: only curves answered by their own entity intersect.
  virtual bool IntersectWithSegment(const FcPoint2d& pickPoint, int parameter,
                                    const FcMatrix2d& matrix, const GeomSegment& other,
                                    FcPoint2d& out);

  // The block that drawing this entity draws (block references and
  // dimensions); null for the others. Lets the block table refuse a block
  // that reaches itself.
  virtual FcBlock* GetReferencedBlock() const;
  // Builds again the block that the entity makes of its own data
  // (dimensions); nothing for the others.
  virtual void RebuildBlock();
  // After a copy from another drawing that kept the handles: the block of
  // the same name as the source's in the target drawing, else one built
  // anew (dimensions); nothing for the others.
  virtual void AdoptCopiedBlock(const FcEntity& source, FcGraph& target);

  // Moves the entity between the layers' member lists. Null for a null
  // layer and after a move; the layer itself when it was the entity's.
  FcLayer* SetLayer(FcLayer* layer);
  // Moves the entity into the block's entity set (out of its old block's);
  // null only clears the block.
  void SetBlock(FcBlock* block);
  // Names the block whose entity set already holds the entity, as a reader
  // that filled the set leaves it, without asking the set again.
  void SetBlockOfMember(FcBlock* block);
  // Null is ByLayer, LinetypeByBlock() is ByBlock.
  void SetLinetype(FcLineType* linetype);
  // Layer, linetype, linetype scale, colour and invisibility of an entity
  // of the same drawing.
  void CopyProperties(const FcEntity* other);

  // Follows the links of a DWG entity record without reading it, for a
  // record whose class cannot be created: 0 or 2.
  static int ReadDwgLinks(FcFilerDwg& filer, FcHandle handle, FcHandle& previous,
                          FcHandle& next);

  EntityKind GetKind() const { return kind_; }
  FcLayer* GetLayer() const { return layer_; }
  FcHandle GetLayerHandle() const { return layerHandle_; }
  // The name of the layer as read from a file, cut as FcFixedText cuts it.
  const FcSharedName& GetLayerName() const { return layerName_; }
  void SetLayerName(std::string_view name) { layerName_ = FcSharedName(FcFixedText::Fit(name)); }
  FcBlock* GetBlock() const { return block_; }
  FcHandle GetBlockHandle() const;
  FcLineType* GetLinetype() const { return linetype_ != nullptr ? linetype_->linetype : nullptr; }
  FcHandle GetLinetypeHandle() const { return linetype_ != nullptr ? linetype_->handle : 0; }
  double GetLinetypeScale() const { return linetype_ != nullptr ? linetype_->scale : 1.0; }
  void SetLinetypeScale(double scale) { SetLinetypeParts(GetLinetype(), GetLinetypeHandle(), scale); }
  std::int16_t GetColor() const { return color_; }
  void SetColor(std::int16_t color) { color_ = color; }
  std::int16_t GetInvisible() const { return invisible_; }
  void SetInvisible(std::int16_t invisible) { invisible_ = invisible; }
  std::int16_t GetEntitiesFollow() const { return entitiesFollow_; }
  void SetEntitiesFollow(std::int16_t follow) { entitiesFollow_ = follow; }
  bool IsSubEntity() const { return subEntity_ != 0; }
  void SetSubEntity(bool sub) { subEntity_ = sub ? 1 : 0; }
  std::int32_t GetPaperSpace() const { return paperSpace_; }
  void SetPaperSpace(std::int32_t paperSpace) { paperSpace_ = paperSpace; }

 protected:
  // Handle 0, DXF record name "ENTITY", DWG type 0; each class then sets
  // its own name, kind and DWG type.
  FcEntity();
  void SetKind(EntityKind kind) { kind_ = kind; }

 private:
  // What the common data of a DWG record tells its handle section.
  struct DwgCommon;
  // The common parts of ReadDwg: 0 or 2.
  int ReadDwgCommonData(FcFilerDwg& filer, std::int64_t size, std::int64_t offset,
                        DwgCommon& common);
  int ReadDwgCommonHandles(FcFilerDwg& filer, const DwgCommon& common, FcHandle& previous,
                           FcHandle& next);
  // The groups of the common DXF data that a record without subclass
  // markers holds among its own.
  static bool IsCommonGroup(int code);

  // The linetype (null ByLayer, LinetypeByBlock() ByBlock), the handle it
  // was set with, which a recorded copy keeps when the linetype itself is
  // gone, and the linetype scale.
  struct LinetypeParts {
    FcLineType* linetype = nullptr;
    FcHandle handle = 0;
    double scale = 1.0;
  };
  void SetLinetypeParts(FcLineType* linetype, FcHandle handle, double scale);

  // The small fields first and together: they fill the room the base
  // leaves after its last member, and drawings hold millions of entities,
  // so padding between them would be paid for each one.
  EntityKind kind_ = kEntityBase;
  std::int16_t color_ = kColorByLayer;
  std::int16_t invisible_ = 0;
  std::int16_t entitiesFollow_ = 0;
  std::uint8_t subEntity_ = 0;
  std::int32_t paperSpace_ = 0;
  FcLayer* layer_ = nullptr;
  FcHandle layerHandle_ = 0;
  // "0" until a file or a caller names another.
  FcSharedName layerName_;
  FcBlock* block_ = nullptr;
  // Null for ByLayer at scale 1, as most entities are: they pay one
  // pointer for the linetype, its handle and its scale.
  std::unique_ptr<LinetypeParts> linetype_;
};

// Sets the DWG filer's owner override for a scope and restores the
// previous one when the scope ends.
class FcDwgOwnerOverride {
 public:
  FcDwgOwnerOverride(FcFilerDwg& filer, FcHandle owner);
  ~FcDwgOwnerOverride();
  FcDwgOwnerOverride(const FcDwgOwnerOverride&) = delete;
  FcDwgOwnerOverride& operator=(const FcDwgOwnerOverride&) = delete;

 private:
  FcFilerDwg& filer_;
  FcHandle previousOwner_;
};
