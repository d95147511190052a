#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/data_array.h"
#include "core/handle.h"
#include "database/symbol_list.h"

class FcEntity;
class FcGraph;
class FcLineType;

// A layer: colour, linetype, plot style, visibility and editing flags, and
// the handles of the entities on it.
class FcLayer : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 51;
  static constexpr std::int16_t kDefaultColor = 7;

  FcLayer();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

  // Takes the settings of another layer; its member handles, drawing,
  // xref-dependent flag and deletion mark stay with it.
  void CopyFrom(const FcLayer& other);

  const std::string& GetName() const { return name_; }
  // A layer named "DefPoints" loses plottable.
  void SetName(std::string_view name);

  FcGraph* GetGraph() const { return graph_; }
  void SetGraph(FcGraph* graph) { graph_ = graph; }

  std::int16_t GetColor() const { return color_; }
  void SetColor(std::int16_t color) { color_ = color; }
  bool IsOn() const { return on_; }
  void SetOn(bool on) { on_ = on; }
  bool IsFrozen() const { return frozen_; }
  void SetFrozen(bool frozen) { frozen_ = frozen; }
  bool IsPlottable() const { return plottable_; }
  // A layer named "DefPoints" always gets false.
  void SetPlottable(bool plottable);
  bool IsLocked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  bool IsXrefDependent() const { return xrefDependent_; }
  void SetXrefDependent(bool xrefDependent) { xrefDependent_ = xrefDependent; }
  // Set by the layer dialog on its working copy for layers the user
  // deleted; the table, the files and copying ignore it.
  bool IsMarkedDeleted() const { return deletionMark_; }
  void SetMarkedDeleted(bool marked) { deletionMark_ = marked; }

  // 0 stands for "Continuous".
  FcHandle GetLinetypeHandle() const { return linetype_; }
  void SetLinetypeHandle(FcHandle handle) { linetype_ = handle; }
  // The record's handle, or 0 for no record.
  void SetLinetype(const FcLineType* linetype);
  // The record of the drawing's linetype table with the stored handle; null
  // for 0, a handle the table lacks, or a layer without a drawing.
  FcLineType* GetLinetype() const;

  FcHandle GetPlotStyle() const { return plotStyle_; }
  // Keeps a plot style that the drawing's "ACAD_PLOTSTYLENAME" dictionary
  // holds; otherwise takes the handle.
  void SetPlotStyle(FcHandle handle);

  // The handles of the entities on this layer, in the order they came.
  const CDataArray<FcHandle>& GetEntityHandles() const { return entityHandles_; }
  // Appends the entity's handle (a duplicate is harmless: removal takes out
  // every equal entry) and makes this the entity's layer.
  void AddEntityHandle(FcEntity* entity);
  void RemoveEntityHandle(const FcEntity* entity);
  void RemoveEntityHandle(FcHandle handle);
  // The same as removing each handle in turn, in one pass over the list.
  void RemoveEntityHandles(const std::unordered_set<FcHandle>& handles);

 private:
  // The linetype's name for the DXF record: "Continuous" for 0 or a handle
  // the drawing lacks.
  std::string LinetypeNameForDxf() const;
  // The linetype handle for the DWG record: the handle of "Continuous"
  // when the layer stores 0.
  FcHandle LinetypeHandleForDwg() const;
  // Binds a linetype named in a file; false when the file names one that
  // cannot be used.
  bool BindLinetypeRecord(const FcLineType* record);

  FcGraph* graph_ = nullptr;
  CDataArray<FcHandle> entityHandles_;
  std::int16_t color_ = kDefaultColor;
  FcHandle linetype_ = 0;
  FcHandle plotStyle_ = 0;
  std::string name_;
  bool on_ = true;
  bool frozen_ = false;
  bool plottable_ = true;
  bool locked_ = false;
  bool xrefDependent_ = false;
  bool deletionMark_ = false;
};

// The layer table of a drawing.
class FcLayerList : public FcSymbolList {
 public:
  static constexpr DwgObjectType kDwgType = 50;

  FcLayerList();

  FcLayer* GetAt(int index) const { return static_cast<FcLayer*>(GetRecordAt(index)); }
  FcLayer* FindByHandle(FcHandle handle) const { return static_cast<FcLayer*>(FcSymbolList::FindByHandle(handle)); }
  // The first layer of that name, compared without regard to ASCII case.
  FcLayer* FindByName(std::string_view name) const { return static_cast<FcLayer*>(FindByNameNoCase(name)); }

  // Appends the layer, which the table owns from now on; nothing for null.
  void Add(std::unique_ptr<FcLayer> layer);
  // A default layer appended without a handle; the caller gives one.
  FcLayer* AddNew();
  // Delete every matching layer; false, at once, when a matching layer
  // still has entities on it. True when none matched.
  bool RemoveByName(std::string_view name);
  bool RemoveByHandle(FcHandle handle);
  // Sorts the records low..high by name, ASCII case ignored.
  void SortByName(int low, int high);
  // Gives the plot style to every layer that has none; the count of them.
  int SetPlotStyleWhereUnset(FcHandle handle);

  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE" and its name.
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;

 protected:
  std::string_view RecordName(const FcObject& record) const override;

 private:
  template <typename Matches>
  bool RemoveMatching(Matches matches);
  std::unique_ptr<FcObject> MakeRecord(FcGraph* graph);
  // Layers without a name and xref-dependent ones are dropped on reading.
  static bool KeepRecord(const FcObject& record);
};
