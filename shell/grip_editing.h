#pragma once

#include <string_view>

#include "core/point2d.h"
#include "display/drag_grip_point.h"

class CChildView;
class FcEntity;
class FcEntitySets;
class FcGraph;

// The view's grip editing while no command runs: an idle click picks
// entities into the pick-first selection and shows their grips, or on a
// grip makes it hot and asks for the stretch point; the edit changes the
// drawing on the window thread as one undo step. Points given to the
// stretch are in the current UCS, clicks in world coordinates.
class GripEditor {
 public:
  explicit GripEditor(CChildView& view) : view_(view) {}
  GripEditor(const GripEditor&) = delete;
  GripEditor& operator=(const GripEditor&) = delete;

  // The stretch-point or base-point prompt waits.
  bool IsPending() const;
  // A left click while no command runs (the view checks); keyState 0x04 is
  // Shift. False when it found neither a grip nor an object.
  bool Click(const FcPoint2d& world, int keyState);
  // Puts the entities into the pick-first selection with their grips, or
  // with remove takes them out; they are highlighted accordingly.
  void TakeEntities(FcEntitySets& taken, bool remove);
  // A line typed (Enter or Space) while a grip prompt waits.
  void TypedLine(std::string_view text);
  // Esc while a grip prompt waits: the base-point prompt goes back to the
  // stretch, the stretch ends.
  void Cancel();

  // Starts (or restarts) the stretch-point prompt from the base point.
  void BeginGripStretch(const FcPoint2d& base);
  // Moves the hot grips (or copies of their entities) to the point.
  void GripEdit(const FcPoint2d& point);
  // Ends the prompt without a change; selection and grips stay, all normal.
  void EndGripEdit();

  FcDragGripPoint& Drag() { return drag_; }
  bool CopyNext() const { return copyNext_; }

 private:
  FcGraph& Drawing();
  void AnswerClick(const FcPoint2d& world);
  void TypedAtStretch(std::string_view text);
  void TypedAtBase(std::string_view text);
  // A point typed, or a number that completes a point filter; false when
  // the text gave none or only captured one coordinate.
  bool PointFromText(std::string_view text, FcPoint2d& point);
  void BeginBasePrompt();
  void ShowPromptAgain();
  bool SelectAt(const FcPoint2d& world, bool remove);
  void AddGripsOf(FcEntity* entity);

  CChildView& view_;
  FcDragGripPoint drag_;
  // The next stretch point makes moved copies instead of moving.
  bool copyNext_ = false;
};
