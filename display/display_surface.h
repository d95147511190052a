#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/handle.h"
#include "core/matrix2d.h"
#include "core/pen_widths.h"
#include "core/point2d.h"
#include "database/draw_sink.h"
#include "display/display_device.h"
#include "display/display_group.h"
#include "display/handle_slot_index.h"
#include "display/preview_slice.h"

class CDib;
class FcDragObject;
class FcProgressSteps;
class FcEntity;
class FcGraph;
class FcLayer;
class FcLineType;
class FcSortEntsTable;
class FcViewTransform;

// The screen device lives with the window code, which installs the function
// that makes one. Without it (headless use) a new surface has no device
// until SetDevice gives it one, and its passes draw nothing.
using FcScreenDeviceFactory = std::unique_ptr<FcDisplayDevice> (*)();
void SetScreenDeviceFactory(FcScreenDeviceFactory factory);

// Scales the view's window about its centre: fx times as wide, fy times as
// high; a factor that is not above 0 leaves its axis alone.
void ScaleWindow(FcViewTransform& view, double fx, double fy);

// Input that overtakes an interactive redraw (see RequestRedrawStop).
enum class FcPendingInput : int { kMouseMove = 1, kMouseWheel = 2 };

// A drawing's display list: one group of primitives per drawn entity, in
// draw order (a later group covers an earlier one), together with the view
// chain, the device and the state entity draw operations and the primitive
// builders read while they run. Entities draw into it as their sink.
class FcDisplaySurface : public FcDrawSink {
 public:
  explicit FcDisplaySurface(FcGraph* owner);
  FcDisplaySurface(const FcDisplaySurface&) = delete;
  FcDisplaySurface& operator=(const FcDisplaySurface&) = delete;
  ~FcDisplaySurface() override;

  // The sink entities draw into (display_surface_sink.cpp).
  FcPenContext GetPenContext() const override;
  void SetPen(const FcPen& pen) override;
  void SetContinuousLinetype() override;
  FcDrawContext GetContext() const override;
  void AddLine(const FcPoint2d& start, const FcPoint2d& end, int subIndex, FcHandle handle) override;
  void AddPoint(const FcPoint2d& point, FcHandle handle, int subIndex) override;
  void AddPolyline(const FcPoint2d* points, int count, bool closed, FcHandle handle, int subIndex) override;
  void AddStrokes(const FcPoint2d* points, const std::int32_t* strokeCounts, int strokeCount, FcHandle handle,
                  int subIndex) override;
  void AddCircle(const FcPoint2d& centre, double radius, FcHandle handle, int subIndex) override;
  void AddArc(const FcPoint2d& centre, double radius, double startAngle, double endAngle, FcHandle handle,
              int subIndex) override;
  void AddPolygon(const FcPoint2d* points, int count, FcHandle handle, int subIndex) override;
  void AddPolyPolygon(const FcPoint2d* points, const std::int32_t* ringCounts, int ringCount, FcHandle handle,
                      int subIndex) override;
  void AddRay(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) override;
  void AddXLine(const FcPoint2d& basePoint, const FcPoint2d& direction, FcHandle handle, int subIndex) override;
  void AddImage(const FcSinkImage& image, FcHandle handle, int partTag) override;
  void AddWidePolyline(const PolylineVertex* vertices, int count, bool closed, FcHandle handle) override;
  void AddVertexChain(const PolylineVertex* vertices, int count, bool closed, FcHandle handle,
                      int subIndex) override;
  void AddCurve(const PolylineVertex* vertices, int count, bool closed, FcHandle handle, int subIndex) override;
  double CurveChordTolerance() const override;
  FcNestingState GetNesting() const override;
  void SetNesting(const FcNestingState& state) override;
  void OpenReferenceGroup(FcHandle handle) override;
  void HideBlockEntity(FcHandle handle) override;

  // The display list.
  void RemoveAllGroups();
  // Room for count more groups, so that a pass of that many entities does
  // not grow the list on the way.
  void ReserveGroups(int count);
  // Makes the entity's group current, creating it when there is none.
  void OpenGroup(FcHandle handle);
  // Stamps the current colour and files the primitive; the surface owns it.
  void AddPrimitive(std::unique_ptr<FcDsEntity> primitive);
  // A surface that draws entities for this one's open pass on another
  // thread: it has no device of its own but answers with this one's, and
  // shares the view and the pass's settings. Its groups go into this list
  // through AdoptGroups.
  std::unique_ptr<FcDisplaySurface> MakeRegenWorker() const;
  // Moves the worker's groups from first up to (not including) last into
  // this list as the open pass would have made them; a group of an entity
  // that has one here already adds its primitives to it.
  void AdoptGroups(FcDisplaySurface& worker, int first, int last);
  // The pen the other surface's last entity left, as if it had drawn here.
  void TakePenOf(const FcDisplaySurface& other);
  // A regen pass. Mode 0 appends new groups; 1 orders them by entity
  // handle; 2 by the sort handles of the draw-order table.
  void BeginDraw(int mode, const FcSortEntsTable* table);
  void EndDraw();
  void SetDrawOrderMode(int mode, const FcSortEntsTable* table);
  // Re-sorts the whole list by entity handle, or by sort handle with a table.
  void ResortGroups(const FcSortEntsTable* table);
  void SortGroups(int first, int last);
  void RebuildHandleIndex();
  // The group position of the entity, or -1.
  int FindHandleIndex(FcHandle handle);
  void RemoveGroup(FcHandle handle);
  void SetGroupVisible(FcHandle handle, bool visible);
  // The group's position, or -1 when the entity has no group.
  int HighlightGroup(bool highlight, FcHandle handle);

  // Queries.
  bool GetExtents(FcPoint2d& min, FcPoint2d& max);
  std::vector<FcHandle> CollectInsideWindow(const FcPoint2d& min, const FcPoint2d& max);
  std::vector<FcHandle> CollectCrossingWindow(const FcPoint2d& min, const FcPoint2d& max);
  std::vector<FcHandle> CollectOnScreen();
  // The first drawn primitive crossing the box whose entity exists in the
  // drawing's current set on an unlocked layer; false when none.
  bool PickOnScreen(const FcPoint2d& min, const FcPoint2d& max, FcHandle& entityHandle, FcHandle& primitiveHandle,
                    int& partTag);

  // Grips.
  void ClearGrips();
  void RemoveGripsOf(const FcEntity* entity);
  // Moves the point onto the first grip within the grip size around it.
  void SnapToGrip(FcPoint2d& point);
  void ResetGrips();

  // Passes.
  // The entity's image in exclusive-or mode replaces the previous one in
  // the temporary group; nothing without a device or an entity.
  void DrawXorEntity(FcEntity* entity);
  // Takes the temporary image off the screen and empties its group.
  void EraseXorEntity();
  // Rebuilds the preview group from the drag object (mode 1 DrawFull, mode
  // 2 DrawTest) for the UCS point and returns DrawTest's answer. Nothing is
  // painted: the screen device draws the preview group over the picture
  // when it presents it, so the back buffer never holds a preview.
  bool DragPreview(FcDragObject* drag, const FcPoint2d& point, int extra);
  // The same, one slice at a time: the first slice (first 0) empties the
  // group, later ones add to it; slice.first moves past what was drawn.
  bool DragPreviewSlice(FcDragObject* drag, const FcPoint2d& point, int extra, FcPreviewSlice& slice);
  // Asked once by a preview of count items: it draws the items from begin
  // up to (not including) end in this slice.
  void PreviewRange(int count, int& begin, int& end);
  void ClearPreview() { previewGroup_.RemoveAll(); }
  // Prints through the rotated operations; printerPixelsPerInch is the
  // printer's horizontal resolution, which scales the pen-width table.
  void Print(int offsetX, int offsetY, int quarterTurns, double widthUnit, FcDeviceContext* printer,
             int printerPixelsPerInch);
  // Draws the list into the export device, in slices on several threads
  // when the device can and the list is large; slices 0 chooses their
  // number by the size of the list alone, 1 draws in one piece. A list built for
  // the export alone is consumed: each group is released once drawn, so
  // that the next groups draw into memory already in use instead of fresh
  // pages, and nothing is left to free at the end; the list is then empty.
  void Export(const std::string& fileName, int slices = 0, bool consume = false);
  // An export of a list built part by part: drawPart fills the emptied
  // list it is given (this surface's, or one made like a regen worker's)
  // with the next part of a pass and says whether more parts follow. Each
  // part is drawn into the device, as Export draws a consumed list, while
  // the next is built on the calling thread, so that the lists never hold
  // more than two parts of the drawing. A group that fails to draw ends the
  // output there.
  void ExportInParts(const std::string& fileName, const std::function<bool(FcDisplaySurface& into)>& drawPart);
  void RenderPreview(int width, CDib& dib, int height);

  // Redraw, zoom and pan.
  void Redraw();
  bool NeedsRegen() const;
  void PushView();
  bool PopView();
  void DeleteViews();
  void SetDeviceSize(int width, int height);
  void Resize(int width, int height);
  void FitWindowToDevice();
  void ZoomScale(double factor);
  void WheelZoomIn(double x, double y);
  void WheelZoomOut(double x, double y);
  void ZoomWindow(const FcPoint2d& corner1, const FcPoint2d& corner2);
  void ZoomExtents();
  void Pan(const FcPoint2d& point, const FcPoint2d& anchor, bool push);
  // Called by the view, from any thread, when input arrives that an
  // interactive redraw of the matching mode should give way to.
  void RequestRedrawStop(FcPendingInput input);

  // The builders' helpers.
  bool UseLinetypePattern(double length) const;
  // False when no length could make UseLinetypePattern true (the current
  // linetype is solid), so that a builder can spare measuring its path.
  bool MayUseLinetypePattern() const;

  FcGraph* GetOwner() const { return owner_; }
  FcViewTransform* GetView() const { return view_; }
  FcDisplayDevice* GetDevice() const { return device_ != nullptr ? device_.get() : sharedDevice_; }
  void SetDevice(std::unique_ptr<FcDisplayDevice> device) { device_ = std::move(device); }
  int GetGroupCount();
  FcDsGroupEnts* GetGroup(int position);
  int GetCurrentGroup() const { return currentGroup_; }
  int GetDrawOrderMode() const { return drawOrderMode_; }
  FcDsGroupEnts& GetTemporaryGroup() { return temporaryGroup_; }
  FcDsGroupEnts& GetGripGroup() { return gripGroup_; }
  FcDsGroupEnts& GetPreviewGroup() { return previewGroup_; }
  const PenWidthTable& GetPenWidths() const { return penWidths_; }

  // Above 0 while a block reference draws its contents.
  std::int32_t nestingDepth = 0;
  // Cell of the block-reference array being drawn; stamped into primitives
  // added while nested.
  std::int32_t insertCell = 1;
  // The layer that entities on layer "0" inside a block reference take.
  FcLayer* contextLayer = nullptr;
  // While set, every primitive goes to the temporary group.
  bool temporaryCollecting = false;
  // While set (during DragPreview), every primitive goes to the preview group.
  bool previewCollecting = false;
  // The next redraw draws only the grip group.
  bool gripsOnly = false;
  // Set whenever the view or the grips change; cleared by a redraw.
  bool gripsChanged = true;
  // Not owned; null draws solid.
  FcLineType* currentLinetype = nullptr;
  // The entity's linetype scale times the drawing's.
  double entityLinetypeScale = 1.0;
  double drawingLinetypeScale = 1.0;
  // Device length of 1000 world units at the last regen.
  double regenReferenceLength = 0.0;
  bool busy = false;
  bool offscreen = false;
  // Applied by the builders to every new primitive.
  FcMatrix2d insertMatrix;
  std::int16_t currentColorIndex = 7;
  FcColorRef currentTrueColor = 0;
  // Finer tessellation for printing.
  bool highPrecision = false;
  // The threads a full regen draws on: 0 chooses by the size of the
  // drawing and the machine's cores.
  int regenThreads = 0;
  // The threads an export draws its slices on: 0 as many as the machine
  // has cores. The slices, and so the file, do not depend on it.
  int exportThreads = 0;
  // The chord height curves are tessellated to, in device units: finer when
  // printing, but never finer than the device's output can show.
  double DeviceChordHeight() const;
  // 0 normal redraw; 1 during mouse movement; 2 during wheel zoom.
  std::int32_t interactiveMode = 0;
  // The view has not changed since the last completed redraw.
  bool viewUnchanged = false;

 private:
  // One exclusive-or pass of the temporary group: drawing it again erases it.
  void PaintTemporaryGroup();
  struct WithoutDevice {};
  FcDisplaySurface(FcGraph* owner, WithoutDevice);
  // Removed groups leave empty slots until enough have gathered to make
  // compacting worth it, so that erasing many entities is not quadratic.
  void Compact();
  void CompactIfSparse();
  FcHandle SortKeyOf(FcHandle handle) const;
  // Puts the groups made during a mode 1 or 2 pass at their key positions;
  // false when they were there already.
  bool PlacePassGroups();
  // The slot of the entity's group, or -1; slots keep removed groups'
  // places until the list is compacted.
  int SlotOf(FcHandle handle) const;
  int LiveGroupCount() const { return static_cast<int>(groups_.size()) - holes_; }
  std::vector<FcHandle> CollectGroups(bool (FcDsGroupEnts::*test)(const FcPoint2d&, const FcPoint2d&),
                                      const FcPoint2d& min, const FcPoint2d& max);
  // Draws the groups for a full or interactive redraw.
  void DrawGroupsFull();
  // Draw the list into the export device between its BeginPaint and
  // EndPaint; false when a group failed to draw and the output ends with
  // what came before it. ExportInSlices gives nothing when the device
  // cannot draw in slices.
  bool ExportGroups(int slices, FcProgressSteps& progress, bool consume);
  bool ExportInOnePiece(FcProgressSteps& progress, bool consume);
  std::optional<bool> ExportInSlices(int sliceCount, FcProgressSteps& progress, bool consume);
  // Exchanges the lists, their handle indexes with them.
  void TakeGroupsOf(FcDisplaySurface& other);
  void DrawGroupsInteractive();
  bool ShouldStopRedraw();
  // Changes of the view clear the cache flag and mark the grips.
  void ViewChanged();
  void ReplaceViews(int width, int height);
  // One wheel step about the world point.
  void WheelZoom(double x, double y, double factor);

  FcGraph* owner_;
  FcViewTransform* view_ = nullptr;
  std::unique_ptr<FcDisplayDevice> device_;
  // A regen worker's: the device of the surface it draws for.
  FcDisplayDevice* sharedDevice_ = nullptr;
  std::vector<std::unique_ptr<FcDsGroupEnts>> groups_;
  int holes_ = 0;
  // Groups from this slot on were opened by the running mode 1 or 2 pass
  // and are put in order when it ends.
  int passStart_ = 0;
  int currentGroup_ = -1;
  int drawOrderMode_ = 0;
  // The sorted copy of the draw-order table used in mode 2.
  std::unique_ptr<FcSortEntsTable> drawOrderCopy_;
  // Entity handle to slot.
  HandleSlotIndex handleIndex_;
  FcDsGroupEnts temporaryGroup_;
  FcDsGroupEnts gripGroup_;
  FcDsGroupEnts previewGroup_;
  // The slice of the preview being built; null outside DragPreview.
  FcPreviewSlice* previewSlice_ = nullptr;
  PenWidthTable penWidths_{};
  std::atomic<int> pendingInput_{0};
};
