#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "display/pedit_drag.h"

class FcEntity;
class FcEntitySets;
class FcEntSetsUndoItem;
class FcGraph;
class FcPolyline;

// One run of the PEdit command on a polyline, from its main menu to eXit:
// the editing mode, the current vertex and the mark of vertex editing, and
// the command's own undo steps, one per option that changed the polyline,
// which its Undo option takes back newest first. The whole run is also
// recorded in the drawing's item for the run, so that one drawing-level
// undo restores the polyline and every entity joined or split off.
class PEditRun {
 public:
  PEditRun(FcGraph& graph, FcPolyline& polyline, FcEntSetsUndoItem& whole);
  ~PEditRun();
  PEditRun(const PEditRun&) = delete;
  PEditRun& operator=(const PEditRun&) = delete;

  // Asks the options until eXit at the main menu or a cancel.
  void Run();
  // Whether any option is still in effect.
  bool HasChanges() const { return !steps_.empty(); }

 private:
  enum class Mode { kMain, kVertex, kMark };
  enum class Marked { kStraighten, kBreak };

  // The prompts of the modes; false when the run is to end. Enter at a
  // vertex prompt walks on in the current direction.
  bool AskMainOption(std::string& keyword);
  bool AskVertexOption(std::string& keyword);
  bool AskMarkOption(std::string& keyword);
  // Carries out one option; an option that changed the polyline answers
  // the name of its undo step, the others an empty name.
  std::string Apply(const std::string& keyword, FcEntSetsUndoItem& step);
  void UndoLastStep();
  void Refresh();

  // The main menu's options (pedit_main_options.cpp).
  std::string AllWidths();
  std::string Taper();
  std::string Join(FcEntSetsUndoItem& step);
  std::string EditVertex();
  // Vertex editing (pedit_vertex_options.cpp).
  void Walk(bool forward);
  // A point asked from the current vertex, in the world; false when the
  // prompt is not answered with one.
  bool AskPointFromCurrent(const char* prompt, FcPoint2d& world) const;
  std::string MoveVertex();
  std::string InsertVertex();
  std::string VertexWidths();
  // Direction (the tangent at the vertex) or Angle (the sweep): the arc
  // of the current vertex's segment.
  std::string BendSegment(bool bySweep);
  std::string Go(FcEntSetsUndoItem& step);
  // The vertex after the current one along its segment; -1 at the end of
  // an open polyline, after the message.
  int NextOfCurrent(const char* refusal) const;

  // The record of an entity that the run joined (erased) or split off
  // (created), kept in the run's item; an entity split off and then joined
  // again leaves no trace there.
  void RecordErasedInRun(FcEntity* entity);
  void RecordCreatedInRun(FcEntity* entity);
  bool IsVisible(int index) const;

  FcGraph& graph_;
  FcPolyline& polyline_;
  FcEntSetsUndoItem& whole_;
  std::vector<std::unique_ptr<FcEntSetsUndoItem>> steps_;
  Mode mode_ = Mode::kMain;
  int current_ = -1;
  bool forward_ = true;
  int mark_ = -1;
  Marked marked_ = Marked::kStraighten;
  FcPEditDrag markers_;
};
