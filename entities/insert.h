#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "database/entity.h"

class FcBlock;

// The deepest nesting of block references that is drawn, snapped to,
// searched or extracted; deeper references are passed over, so that no
// chain of blocks can exhaust the stack.
inline constexpr int kMaxInsertNesting = 64;
// An array of more cells than this draws and answers for its first cell
// only and cannot be exploded: the copies would never end.
inline constexpr std::int64_t kMaxInsertCells = 100000;

// A block placed with an insertion point, x and y scales and a rotation,
// repeated over an array of rows and columns. Its block's entities are drawn
// through a matrix per cell and never copied per reference. Attributes
// follow it in its owner's entity list, closed by a SEQEND.
class FcInsert : public FcEntity {
 public:
  static constexpr DwgObjectType kDwgType = 7;
  static constexpr const char* kRecordName = "INSERT";
  static constexpr const char* kSubclassMarker = "AcDbBlockReference";

  FcInsert();
  FcInsert(const FcInsert& other);
  FcInsert& operator=(const FcInsert&) = delete;
  // Registered as "FcInsert" and "INSERT"; null when it cannot be allocated.
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  // Writes nothing and answers kFcStatusEnd when the block cannot be found,
  // so that its set leaves out the record's extended data and attributes too.
  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  FcEntity* FindObjectByHandle(FcHandle handle) override;
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  FcEntity* Clone() const override;
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // The block is bound by name in the target drawing.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // Transformed copies of the block's entities, cell by cell; refused with
  // a message for unequal scales.
  bool Explode(FcEntitySets& target) override;
  // The insertion point (0).
  void GetGripPoints(FcPoint2dArray& points) override;
  // Moves the insertion point whatever grips are selected.
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle firstAttribute, FcHandle lastAttribute,
                       FcHandle seqend) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& firstAttribute, FcHandle& lastAttribute,
                     FcHandle& seqend) override;
  void GetBoundarySegments(const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  // The insertion point, answering insertion snap.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;
  // The snap records of the block entity of that handle drawn in the cell.
  void GetBlockSnapSegments(int mode, const FcPoint2d& pickPoint, FcHandle subEntity, int subIndex,
                            int cellNumber, const FcMatrix2d& matrix, GeomSegmentList& segments) override;
  FcBlock* GetReferencedBlock() const override;

  // The bound block, looked up by handle (else by name) in the owner's
  // drawing whenever the one found before has left the table.
  FcBlock* GetBlockRecord() const;
  // Binds by name in the owner's drawing; an unknown name changes nothing.
  void SetBlockName(std::string_view name);
  // Binds to the block; null is ignored.
  void SetBlockRecord(FcBlock* block);
  const std::string& GetBlockName() const { return blockName_; }
  FcHandle GetBlockRecordHandle() const { return blockRecordHandle_; }

  // Maps block coordinates into the reference's space for the cell.
  FcMatrix2d CellMatrix(int row, int column) const;
  // Rows times columns, or 1 for an array past kMaxInsertCells.
  std::int64_t DrawnCellCount() const;

  const FcPoint2d& GetInsertionPoint() const { return insertion_; }
  void SetInsertionPoint(const FcPoint2d& point) { insertion_ = point; }
  double GetXScale() const { return xScale_; }
  double GetYScale() const { return yScale_; }
  // Values within 1e-7 of zero are ignored.
  void SetXScale(double scale);
  void SetYScale(double scale);
  // Radians.
  double GetRotation() const { return rotation_; }
  void SetRotation(double rotation) { rotation_ = rotation; }
  int GetRows() const { return rows_; }
  int GetColumns() const { return columns_; }
  // Counts below 1 are taken as 1.
  void SetRows(int rows);
  void SetColumns(int columns);
  double GetRowSpacing() const { return rowSpacing_; }
  double GetColumnSpacing() const { return columnSpacing_; }
  void SetRowSpacing(double spacing) { rowSpacing_ = spacing; }
  void SetColumnSpacing(double spacing) { columnSpacing_ = spacing; }

 private:
  void CopyOwnFields(const FcInsert& other);
  // Draws the block's entities once per cell under the saved nesting.
  void DrawCells(FcDrawSink& sink, FcBlock& block, const FcNestingState& outer) const;
  FcGraph* BindingGraph() const;

  FcPoint2d insertion_;
  double xScale_ = 1.0;
  double yScale_ = 1.0;
  double rotation_ = 0.0;
  std::int32_t rows_ = 1;
  double rowSpacing_ = 1.0;
  std::int32_t columns_ = 1;
  double columnSpacing_ = 1.0;
  std::string blockName_;
  FcHandle blockRecordHandle_ = 0;
  // A cache only: trusted while the table still holds it at that index.
  mutable FcBlock* block_ = nullptr;
  mutable int blockIndex_ = -1;
};
