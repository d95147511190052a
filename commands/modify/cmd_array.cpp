#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/typed_angle.h"
#include "core/matrix2d.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "display/display_group.h"
#include "display/display_group_lookup.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

enum class ArrayKind { kRectangular, kPolar };

// Offered as the default of the next array in any drawing for as long as
// the program runs; never saved.
ArrayKind lastArrayKind = ArrayKind::kRectangular;

constexpr const char* kOneElement = "One-element array, nothing to do.";
// A typed count of a million copies would hold the command and fill the
// memory long before the user could see the mistake.
constexpr std::int64_t kMaxArrayCopies = 100000;
constexpr const char* kTooManyCopies = "Can't make the array: it has too many copies.";

// The copies of one run and their undo step.
class ArrayCopies {
 public:
  ArrayCopies(FcGraph& graph, const FcEntitySets& selection) : graph_(graph), selection_(selection) {}

  // False, after the history line, when that many copies of the selection
  // would pass the cap.
  bool Allows(std::int64_t copiesOfEach) const {
    if (copiesOfEach * selection_.GetCount() <= kMaxArrayCopies) return true;
    PrintMessage(kTooManyCopies);
    return false;
  }

  // One copy of every selected entity through the matrix, in selection
  // order, so a reference is followed by its attributes as it must be.
  // False, after the history line, when memory ran out.
  bool AddCopies(const FcMatrix2d& matrix) {
    if (!item_) {
      item_.reset(new (std::nothrow) FcEntSetsUndoItem);
      if (!item_) return OutOfMemory();
      item_->SetName("Array");
    }
    for (const FcEntity* entity : selection_) {
      FcEntity* copy = entity->TransformedClone(matrix);
      if (copy == nullptr) return OutOfMemory();
      graph_.AddEntityKeepLayer(copy);
      graph_.DrawEntity(copy);
      item_->Record(kUndoCreated, copy);
    }
    return true;
  }

  // Puts the step of the copies made on the undo list.
  void Finish() {
    if (item_ && item_->HasRecords()) AddUndoItem(graph_, item_.release());
  }

 private:
  static bool OutOfMemory() {
    PrintMessage(kNoMemoryMessage);
    return false;
  }

  FcGraph& graph_;
  const FcEntitySets& selection_;
  std::unique_ptr<FcEntSetsUndoItem> item_;
};

// Enter gives 1; false when the command is to end.
bool AskCount(const char* prompt, int& count) {
  SetKeywords({}, kInputRefuseZero | kInputRefuseNegative);
  std::string text;
  const int status = GetInteger(prompt, count, text);
  if (status == FC_INPUT_NONE) count = 1;
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

bool AskSpacing(const char* prompt, double& spacing) {
  std::string text;
  return GetDistance(nullptr, prompt, spacing, text) == FC_INPUT_OK;
}

void RectangularArray(const FcGraph& graph, ArrayCopies& copies) {
  int rows = 1;
  int columns = 1;
  if (!AskCount("Number of rows (---) <1>", rows) || !AskCount("Number of columns (|||) <1>", columns)) return;
  if (rows == 1 && columns == 1) {
    PrintMessage(kOneElement);
    return;
  }
  if (!copies.Allows(std::int64_t{rows} * columns - 1)) return;
  double dx = 0.0;
  double dy = 0.0;
  if (rows == 1) {
    if (!AskSpacing("Distance between columns (|||)", dx)) return;
  } else {
    if (!AskSpacing("distance between rows (---)", dy)) return;
    if (columns > 1 && !AskSpacing("Distance between columns (|||)", dx)) return;
  }
  // Rows and columns run along the axes of the current UCS.
  const FcMatrix2d& toWorld = graph.GetSysVars().UcsToWorld;
  const double theta = std::atan2(toWorld.d, toWorld.a);
  const double cosine = std::cos(theta);
  const double sine = std::sin(theta);
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) {
      if (c == 0 && r == 0) continue;
      FcMatrix2d shift;
      TranslationMatrix(cosine * c * dx - sine * r * dy, sine * c * dx + cosine * r * dy, shift);
      if (!copies.AddCopies(shift)) return;
    }
  }
}

// The sweep of an answer to a polar angle prompt: counter-clockwise,
// clockwise with a minus sign, as the prompt says whichever way the
// drawing counts angles, its size brought into (0, 2*pi] so that "360" is
// the full circle.
double SignedSweep(const FcGraph& graph, double answer, const std::string& text) {
  const double angle = TypedAngle(graph, answer, text);
  double size = std::fabs(angle);
  if (size > kTwoPi) {
    size = std::fmod(size, kTwoPi);
    if (size == 0.0) size = kTwoPi;
  }
  return angle < 0.0 ? -size : size;
}

// The middle of the box round what the selection draws.
FcPoint2d MiddleOfDrawn(const FcGraph& graph, const FcEntitySets& selection) {
  bool any = false;
  FcPoint2d low;
  FcPoint2d high;
  for (const FcEntity* entity : selection) {
    FcDsGroupEnts* group = FindDisplayGroup(graph.GetDisplaySurface(), entity->GetHandle());
    if (group == nullptr || group->IsEmpty()) continue;
    FcPoint2d min;
    FcPoint2d max;
    group->GetExtents(min, max);
    low = any ? FcPoint2d{std::fmin(low.x, min.x), std::fmin(low.y, min.y)} : min;
    high = any ? FcPoint2d{std::fmax(high.x, max.x), std::fmax(high.y, max.y)} : max;
    any = true;
  }
  return {(low.x + high.x) / 2.0, (low.y + high.y) / 2.0};
}

// The angle between items; 0 when the command is to end.
double AskPolarStep(const FcGraph& graph, const FcPoint2d& centre, int items) {
  std::string text;
  double fill = 0.0;
  const int status = GetAngle(&centre, "Angle to fill (+=ccw, -=cw) <360>", fill, text);
  if (status == FC_INPUT_NONE) return kTwoPi / items;
  if (status != FC_INPUT_OK) return 0.0;
  fill = SignedSweep(graph, fill, text);
  if (fill != 0.0) return std::fabs(fill) == kTwoPi ? fill / items : fill / (items - 1);
  SetKeywords({}, kInputRefuseEmpty | kInputRefuseZero);
  double step = 0.0;
  if (GetAngle(&centre, "Angle between items (+=ccw, -=cw)", step, text) != FC_INPUT_OK) return 0.0;
  return SignedSweep(graph, step, text);
}

void PolarArray(const FcGraph& graph, const FcEntitySets& selection, ArrayCopies& copies) {
  std::string text;
  FcPoint2d centre;
  if (GetPoint(nullptr, "Center point of array", centre, text) != FC_INPUT_OK) return;
  int items = 0;
  SetKeywords({}, kInputRefuseZero | kInputRefuseNegative);
  if (GetInteger("Number of items", items, text) != FC_INPUT_OK) return;
  if (items <= 1) {
    PrintMessage(kOneElement);
    return;
  }
  if (!copies.Allows(items - 1)) return;
  const double step = AskPolarStep(graph, centre, items);
  if (step == 0.0) return;
  SetKeywords("Yes No", 0);
  std::string keyword;
  const int answer = GetKeyword("Rotate objects as they are copied? [Yes/No]<Yes>", keyword, text);
  if (answer != FC_INPUT_OK && answer != FC_INPUT_NONE) return;
  const bool rotate = answer == FC_INPUT_NONE || !EqualsNoCase(keyword, "No");
  // The entities are in world coordinates; the centre is taken there too.
  const FcPoint2d pivot = UcsToWorldPoint(graph, centre);
  const FcPoint2d middle = rotate ? pivot : MiddleOfDrawn(graph, selection);
  for (int k = 1; k < items; ++k) {
    const double angle = k * step;
    FcMatrix2d matrix;
    if (rotate) {
      RotationMatrix(pivot.x, pivot.y, angle, matrix);
    } else {
      FcPoint2d moved = middle;
      RotatePointAbout(angle, pivot, moved);
      TranslationMatrix(moved.x - middle.x, moved.y - middle.y, matrix);
    }
    if (!copies.AddCopies(matrix)) return;
  }
}

// The kind chosen, remembered for the next array; false when the command
// is to end.
bool AskKind(ArrayKind& kind) {
  SetKeywords("Rectangular Polar", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword(lastArrayKind == ArrayKind::kPolar ? "Rectangular or Polar array (R/P) <P>"
                                                                   : "Rectangular or Polar array (R/P) <R>",
                                keyword, text);
  if (status == FC_INPUT_OK) {
    lastArrayKind = EqualsNoCase(keyword, "Polar") ? ArrayKind::kPolar : ArrayKind::kRectangular;
  } else if (status != FC_INPUT_NONE) {
    return false;
  }
  kind = lastArrayKind;
  return true;
}

}  // namespace

int CmdArray() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(128);
  if (SelectObjects({}, selection) != FC_INPUT_OK || selection.GetCount() == 0) return kStatusDone;
  graph->HighlightEntities(false, &selection);
  graph->Redraw();
  ArrayKind kind = ArrayKind::kRectangular;
  if (!AskKind(kind)) return kStatusDone;
  ArrayCopies copies(*graph, selection);
  if (kind == ArrayKind::kPolar) {
    PolarArray(*graph, selection, copies);
  } else {
    RectangularArray(*graph, copies);
  }
  copies.Finish();
  graph->Redraw();
  return kStatusDone;
}
