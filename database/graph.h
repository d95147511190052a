#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "database/dim_style.h"
#include "core/handle.h"
#include "database/app_id.h"
#include "database/block.h"
#include "database/class_list.h"
#include "database/dictionary.h"
#include "database/entity_sets.h"
#include "database/graph_view.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/object.h"
#include "filers/skipped_records.h"
#include "database/system_var.h"
#include "database/ucs.h"
#include "database/undo_list.h"
#include "database/viewport.h"
#include "database/text_style.h"
#include "filers/file_kind.h"

class CWorkThread;
class FcDeviceContext;
class FcDisplayDevice;
class FcDisplaySurface;
class FcSelectFilter;
struct FcResBuf;

// One drawing: its settings, tables, blocks, class list and dictionaries.
// It hands out the handles of new objects and is the way through which
// commands add entities to the current space and take them out again.
// Its own handle and name are not used.
class FcGraph : public FcObject {
 public:
  FcGraph();
  ~FcGraph() override;

  // The contents of a new drawing; the file readers call it before they
  // read over it.
  void InitDefaults();

  // HANDSEED: the handle the next new object receives. Readers raise it
  // past every handle they read.
  FcHandle& GetHandleSeed() { return sysVars_.handseed; }
  FcHandle GetHandleSeed() const { return sysVars_.handseed; }
  // Gives the object the next handle.
  void TakeHandle(FcObject& object);

  FcSystemVar& GetSysVars() { return sysVars_; }
  const FcSystemVar& GetSysVars() const { return sysVars_; }
  // Header variables first, then the variable dictionary. Only
  // "DrawOrderCtl" is created when it is missing.
  FcSysVarResult SetSysVar(std::string_view name, const FcResBuf& value);
  FcSysVarResult GetSysVar(std::string_view name, FcResBuf& value);

  // A new entity into the current space with the current properties, drawn.
  // Nothing for null.
  void AddEntity(FcEntity* entity, bool redraw);
  // An entity that already carries its properties (readers, undo, paste);
  // not drawn. Nothing for null.
  void AddEntityKeepLayer(FcEntity* entity);
  // Appends the handle to the current block's draw-order table; with create
  // set, the table (and the block's extension dictionary) is made when
  // missing.
  void AddToDrawOrder(FcHandle handle, bool create);
  // Take an entity out of the drawing without deleting it; the caller owns
  // it afterwards. RemoveEntityByHandle answers null when the current block
  // does not hold the handle.
  FcEntity* RemoveEntity(FcEntity* entity);
  FcEntity* RemoveEntityByHandle(FcHandle handle);
  // The last entity of the current set that is neither a SEQEND nor a
  // sub-entity; null when there is none.
  FcEntity* GetLastEntity() const;

  // Between the entities and the display list (graph_display.cpp), through
  // the drawing's view; without one they do nothing.
  // Single entities are drawn on top of the list; nothing for null.
  void DrawEntity(FcEntity* entity);
  void DrawEntities(const FcEntitySets* entities);
  // As the two above, after taking the entities' groups out first.
  void RedrawEntity(FcEntity* entity);
  void RedrawEntities(const FcEntitySets* entities);
  void HighlightEntities(bool highlight, const FcEntitySets* entities);
  // Rebuilds the whole display list from the current space.
  void Regen();
  // Regenerates when the zoom has gone too far since the last regen, else
  // redraws the list and has the view repaint.
  void Redraw();
  // Shows and hides groups after layers were switched on or off.
  void UpdateLayerDisplay();
  // The current space into another surface (print preview).
  void RegenToSurface(FcDisplaySurface& surface);
  // Prints the world window between the corners on the printer; device
  // pixels per world unit scale the device rectangle. False for a window
  // without extent or when no surface can be made.
  bool PrintWindow(FcDeviceContext* printer, int deviceWidth, int deviceHeight, int offsetX, int offsetY,
                   int quarterTurns, int colorMode, const FcPoint2d& corner1, const FcPoint2d& corner2,
                   double pixelsPerUnit, int printerPixelsPerInch);
  // Writes the world window to the file through the export device.
  bool ExportWindow(const FcPoint2d& corner1, const FcPoint2d& corner2, std::unique_ptr<FcDisplayDevice>&& device,
                    int deviceWidth, int deviceHeight, const std::string& fileName);

  // Selection (graph_selection.cpp). The sets are new; null when nothing
  // could be selected.
  std::unique_ptr<FcEntitySets> SelectWindow(const FcPoint2d& corner1, const FcPoint2d& corner2);
  std::unique_ptr<FcEntitySets> SelectCrossing(const FcPoint2d& corner1, const FcPoint2d& corner2);
  // The entity under the object-snap aperture, with the primitive and part
  // that were hit; null when none.
  FcEntity* PickEntity(const FcPoint2d& point, FcHandle& primitiveHandle, int& partTag);
  // At most one entity: the first one under the pick box that the
  // selection filter accepts and whose layer is not locked.
  std::unique_ptr<FcEntitySets> PickEntities(const FcPoint2d& point);
  // Every entity under the pick box, locked or refused ones too, once
  // each in display-list order.
  std::vector<FcEntity*> EntitiesUnderPickBox(const FcPoint2d& point);
  // The entities drawn by the last redraw.
  std::unique_ptr<FcEntitySets> GetDisplayedEntities();
  // The entities of the handles that the selection filter accepts and whose
  // layers are not locked; the others are reported in the command history.
  std::unique_ptr<FcEntitySets> FilterLockedLayers(std::vector<FcHandle> handles);
  // Takes the entities out of the drawing and deletes them; the set is left
  // empty.
  void EraseEntities(FcEntitySets& entities);
  // RemoveEntity for each entity in turn, with the same result, but with one
  // pass over each list the entities leave (current space, previous
  // selection, layer member lists, draw order) rather than one per entity.
  // The caller owns the entities afterwards; null entries are skipped.
  void RemoveEntities(const std::vector<FcEntity*>& entities);
  // The current space's FindByHandle for each handle (null where it holds
  // none), through one index rather than a scan per handle.
  std::vector<FcEntity*> FindEntitiesByHandle(const std::vector<FcHandle>& handles) const;

  // Purge (graph_purge.cpp): each does nothing while the record is in use
  // or is one the drawing always keeps. CLAYER, CELTYPE and TEXTSTYLE are
  // not changed.
  void PurgeLayer(FcLayer* layer);
  void PurgeLinetype(FcLineType* linetype);
  void PurgeTextStyle(FcTextStyle* style);

  FcLineType* GetOrCreateLinetype(std::string_view name);
  // Points the ByLayer and ByBlock records at the table's first records of
  // those kinds (null where there is none): the readers replace the table
  // that InitDefaults bound them to.
  void RebindLinetypeRecords();
  // A new unnamed layer with the current linetype and the "Normal" plot
  // style; null when it cannot be made.
  FcLayer* CreateLayer();
  // Null for an empty name. "DefPoints" in any case never plots.
  FcLayer* FindOrCreateLayer(std::string_view name);
  // The same for a file reader: a layer it has to make gets no handle yet.
  // One taken in the middle of a read may be a handle the rest of the file
  // uses; the reader numbers such records once the whole file is read.
  FcLayer* FindOrCreateLayerWhileReading(std::string_view name);
  FcLayer* SetCurrentLayer(std::string_view name);
  FcLayer* SetCurrentLayerByHandle(FcHandle handle);
  // "ByLayer" and "ByBlock" in any case select the markers; an unknown name
  // changes nothing. Answer the current linetype (null, LinetypeByBlock()
  // or a record).
  FcLineType* SetCurrentLinetype(std::string_view name);
  FcLineType* SetCurrentLinetypeByHandle(FcHandle handle);

  // A new record with the next handle; null when it cannot be made.
  FcTextStyle* NewTextStyle();
  // Null for an empty name; the name is cut to 511 characters.
  FcTextStyle* FindOrCreateTextStyle(std::string_view name);
  // An unknown name keeps the current style, or makes the first one current
  // when none is. Answer the current style.
  FcTextStyle* SetCurrentTextStyle(std::string_view name);
  void SetCurrentTextStyleByHandle(FcHandle handle);
  FcDimStyle* NewDimStyle(std::string_view name);
  // As the text-style setters; the style's values also go into the
  // dimension variables.
  FcDimStyle* SetCurrentDimStyle(std::string_view name);
  FcDimStyle* SetCurrentDimStyleByHandle(FcHandle handle);

  // A new APPID record with the next handle; no check for an existing name.
  FcAppID* AddAppId(std::string_view name);
  // Block records that are not anonymous.
  int CountNamedBlocks() const;

  // Point input by the snap and angle settings (graph_ucs.cpp). The snap
  // frame is the world moved by -SNAPBASE and turned by -SNAPANG.
  void SnapToGrid(FcPoint2d& point) const;
  void ToSnapFrame(FcPoint2d& point) const;
  // Makes the move from base to point horizontal or vertical in the snap
  // angle's frame; a tie goes vertical.
  void OrthoConstrain(const FcPoint2d& base, FcPoint2d& point) const;
  // A world angle as the user measures it (ANGBASE, ANGDIR), in [0, 2 pi].
  void ToUserAngle(double& angle) const;
  // An angle measured in the current UCS as a world angle, in [0, 2 pi).
  void AngleToUcs(double& angle) const;

  // The current UCS (UCSORG, UCSXDIR, UCSYDIR). SaveNamedUcs appends a
  // record also when the name exists already, gives it no handle, and
  // answers null for an empty name.
  FcUCS* SaveNamedUcs(std::string_view name);
  // Appends a copy of the current UCS to the previous-UCS list; every UCS
  // change of the UCS command and of undo comes after it.
  FcUCS* PushPreviousUcs();
  // Nothing, answering false, for an empty or unknown name; the current
  // UCS is pushed first.
  bool RestoreNamedUcs(std::string_view name);
  // Back to the last previous UCS, which stays in the list.
  void RestorePreviousUcs();
  // Back to the last previous UCS, which leaves the list; false for an
  // empty list.
  bool PopPreviousUcs();
  // Turns both axes counter-clockwise about the unchanged origin.
  void RotateUcs(double angle);
  // Moves the origin by a world offset; the axes stay.
  void MoveUcsOrigin(double dx, double dy);

  // Object creation with the drawing's class list and handle seed.
  FcObject* CreateObject(std::string_view name);
  // A new object for a DWG type, or the drawing's own table for a table
  // type; no handle is given.
  FcObject* CreateObjectByDwgType(int dwgType);
  bool GetCustomClassName(int index, std::string& name) const;
  DwgObjectType GetCustomClassType(std::string_view recordName) const;
  // Puts the object into the named-object dictionary under the name, with
  // the next handle and its custom-class type when it has none. Nothing for
  // a null object or an empty name.
  // True when the dictionary took the object (and owns it from now on);
  // false leaves it with the caller.
  bool AddNamedObject(std::string_view name, FcObject* object);

  FcEntitySets* GetDimStylePreview() const { return dimStylePreview_; }
  void SetDimStylePreview(FcEntitySets* preview) { dimStylePreview_ = preview; }
  // The records of the file this drawing was read from that it passed
  // over, by record name. Cleared only with the contents: a save does not
  // bring them back.
  const FcSkippedRecords& GetSkippedRecords() const { return skippedRecords_; }
  void SetSkippedRecords(FcSkippedRecords skipped) { skippedRecords_ = std::move(skipped); }
  bool HasSkippedRecords() const { return !skippedRecords_.empty(); }
  FcFileKind GetFileKind() const { return fileKind_; }
  void SetFileKind(FcFileKind kind) { fileKind_ = kind; }
  // The view the display code made for the drawing, and its display list;
  // null for a drawing without a view.
  FcGraphView* GetView() const { return view_.get(); }
  FcDisplaySurface* GetDisplaySurface() const { return view_ != nullptr ? view_->GetSurface() : nullptr; }
  CWorkThread* GetWorkThread() const { return workThread_; }
  void SetWorkThread(CWorkThread* thread) { workThread_ = thread; }

  FcBlock* GetCurrentBlock() const { return currentBlock_; }
  void SetCurrentBlock(FcBlock* block) { currentBlock_ = block; }
  FcEntitySets* GetCurrentEntitySet() const { return currentEntitySet_; }
  void SetCurrentEntitySet(FcEntitySets* set) { currentEntitySet_ = set; }
  FcEntitySets& GetPreviousSelection() { return previousSelection_; }

  FcLayerList& GetLayerList() { return layers_; }
  const FcLayerList& GetLayerList() const { return layers_; }
  FcLayer* GetCurrentLayer() const { return currentLayer_; }
  FcLinetypeList& GetLinetypeList() { return linetypes_; }
  const FcLinetypeList& GetLinetypeList() const { return linetypes_; }
  FcLineType* GetCurrentLinetype() const { return currentLinetype_; }
  FcLineType* GetByLayerLinetype() const { return byLayerLinetype_; }
  FcLineType* GetByBlockLinetype() const { return byBlockLinetype_; }
  FcTextStyleList& GetTextStyleList() { return textStyles_; }
  const FcTextStyleList& GetTextStyleList() const { return textStyles_; }
  FcTextStyle* GetCurrentTextStyle() const { return currentTextStyle_; }
  FcDimStyleList& GetDimStyleList() { return dimStyles_; }
  const FcDimStyleList& GetDimStyleList() const { return dimStyles_; }
  // The table keeps it, so that removing the style clears it.
  FcDimStyle* GetCurrentDimStyle() const { return dimStyles_.GetCurrent(); }
  FcUCSList& GetPreviousUcsList() { return previousUcs_; }
  FcUCSList& GetUcsList() { return namedUcs_; }
  const FcUCSList& GetUcsList() const { return namedUcs_; }
  FcAppIDList& GetAppIdList() { return appIds_; }
  const FcAppIDList& GetAppIdList() const { return appIds_; }
  FcClassList& GetClassList() { return classes_; }
  const FcClassList& GetClassList() const { return classes_; }
  FcBlockList& GetBlockList() { return blocks_; }
  const FcBlockList& GetBlockList() const { return blocks_; }
  FcViewList& GetViewList() { return views_; }
  const FcViewList& GetViewList() const { return views_; }
  FcViewHeaderCtrl& GetViewHeaderCtrl() { return viewHeaders_; }
  FcViewportList& GetViewportList() { return viewports_; }
  const FcViewportList& GetViewportList() const { return viewports_; }
  FcDictionary& GetNamedObjects() { return namedObjects_; }
  const FcDictionary& GetNamedObjects() const { return namedObjects_; }
  // The "AcDbVariableDictionary" entry of the named-object dictionary, or
  // null. Looked up each time: a file read replaces the entries.
  FcDictionary* GetVariableDictionary() const;
  FcSelectFilter* GetSelectFilter() const { return selectFilter_; }
  FcUndoList& GetUndoList() { return undoList_; }
  void SetSelectFilter(FcSelectFilter* filter) { selectFilter_ = filter; }

 private:
  // Empties what InitDefaults fills, entities first.
  void ClearContents();
  void InitDefaultDictionaries();
  // AddNamedObject for an object nobody else owns: deleted when the
  // dictionary does not take it. The new dictionary, or null.
  FcDictionary* AdoptNamedDictionary(std::string_view name, std::uint8_t ownerRefCode);
  bool AdoptNamedObject(std::string_view name, FcObject* object);
  void InitDefaultSpaces();
  FcBlock* AddSpaceBlock(std::string_view name, std::uint8_t kind);
  void AddLayout(std::string_view name, FcBlock* space);
  // The variable dictionary, made when missing; null when it cannot be.
  FcDictionary* VariableDictionaryForUse();
  // The dictionary variable of that name; "DrawOrderCtl" is created with
  // the initial value when missing, any other name answers null.
  FcDictionaryVar* FindOrCreateDictionaryVar(std::string_view name, std::string_view initial);
  void AssignHandleAndType(FcEntity& entity);
  void AddToCurrentSpace(FcEntity& entity);
  // Layer member list, draw order, previous selection and display.
  void DetachFromDrawing(FcEntity& entity);
  // The first entry of "ACAD_PLOTSTYLENAME"; 0 when there is none.
  FcHandle FirstPlotStyleHandle() const;
  void MakeLayerCurrent(FcLayer* layer);
  void MakeLinetypeCurrent(FcLineType* linetype, std::string_view name);
  void MakeTextStyleCurrent(FcTextStyle* style);
  void MakeDimStyleCurrent(FcDimStyle* style);

  void RemoveFromDisplay(FcEntity* entity);

  FcEntitySets* dimStylePreview_ = nullptr;
  FcFileKind fileKind_ = FcFileKind::kDwg;
  FcSkippedRecords skippedRecords_;
  // Deleted before the other members.
  std::unique_ptr<FcGraphView> view_;
  CWorkThread* workThread_ = nullptr;
  FcSystemVar sysVars_;
  FcBlock* currentBlock_ = nullptr;
  FcEntitySets* currentEntitySet_ = nullptr;
  FcEntitySets previousSelection_{kFcPreviousSelectionGrowth};
  FcLayerList layers_;
  FcLayer* currentLayer_ = nullptr;
  FcLinetypeList linetypes_;
  FcLineType* currentLinetype_ = nullptr;
  FcLineType* byLayerLinetype_ = nullptr;
  FcLineType* byBlockLinetype_ = nullptr;
  FcTextStyleList textStyles_;
  FcTextStyle* currentTextStyle_ = nullptr;
  FcDimStyleList dimStyles_;
  FcUCSList previousUcs_;
  FcUCSList namedUcs_;
  FcAppIDList appIds_;
  FcClassList classes_;
  FcBlockList blocks_;
  FcViewList views_;
  FcViewHeaderCtrl viewHeaders_;
  FcViewportList viewports_;
  FcDictionary namedObjects_;
  FcUndoList undoList_;
  FcSelectFilter* selectFilter_ = nullptr;
};

// The main frame's answer to "get the active drawing" (message 0x8028):
// 0 with the drawing of the active child window in *result, non-zero when
// there is no child window. The shell installs it; null means no drawing.
using FcActiveGraphQuery = std::function<int(FcGraph** result)>;
void SetActiveGraphQuery(FcActiveGraphQuery query);

// The drawing the calling thread works on: a command thread's own, else
// the main frame's active one; null when there is none.
FcGraph* CurrentGraph();

// Makes the drawing the calling thread's current drawing for the life of
// the scope, then puts back the one before, also when the scope is left by
// an exception. The window thread reads and draws a drawing before its
// window is the active one, when the current drawing is another's.
class FcCurrentGraphScope {
 public:
  explicit FcCurrentGraphScope(FcGraph& graph);
  ~FcCurrentGraphScope();
  FcCurrentGraphScope(const FcCurrentGraphScope&) = delete;
  FcCurrentGraphScope& operator=(const FcCurrentGraphScope&) = delete;

 private:
  FcGraph* previous_;
};

// FcEntitySets::Add into a set of no block (a selection or a set to
// redraw). An entity that neither belongs to a sequence nor heads one is
// appended without the search for its place in its block, which would make
// adding the entities of a large drawing quadratic.
void AddToSelection(FcEntitySets& selection, FcEntity* entity);

// Copies the string at the start of a packed list (strings one after
// another, each ending in a null character) into text and answers the start
// of the next string. The copy goes into a string rather than a caller's
// buffer of unknown size.
const char* CopyPackedString(const char* packed, std::string& text);
