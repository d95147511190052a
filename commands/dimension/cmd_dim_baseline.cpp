#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "commands/dimension/dimension_commands.h"
#include "commands/dimension/dimension_prompts.h"
#include "commands/draw/entity_pick.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/intersection_kinds.h"
#include "core/intersections.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "entities/dim_linear.h"
#include "entities/dim_ordinate.h"
#include "entities/dimension_geometry.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

bool IsChainBase(const FcEntity* entity) {
  const auto* dimension = dynamic_cast<const FcDimension*>(entity);
  if (dimension == nullptr) return false;
  const int kind = dimension->GetDimType() & 7;
  return kind == kDimTypeRotated || kind == kDimTypeAligned || kind == kDimTypeOrdinate;
}

int Sign(double value) { return value > kTolerance ? 1 : (value < -kTolerance ? -1 : 0); }

double Cross(const FcPoint2d& a, const FcPoint2d& b) { return a.x * b.y - a.y * b.x; }

struct Chain {
  FcDimension* base = nullptr;
  FcPoint2d basePoint;
};

// The base the chain continues from: the last dimension when it can be
// one, else one the user picks, whose origin nearest the pick starts it.
bool SelectBase(FcGraph& graph, Chain& chain, bool continued, bool allowLast) {
  const FcHandle last = graph.GetSysVars().LastDimensionHandle;
  if (allowLast && last != 0) {
    const std::vector<FcEntity*> found = graph.FindEntitiesByHandle({last});
    if (!found.empty() && IsChainBase(found[0])) {
      chain.base = static_cast<FcDimension*>(found[0]);
      chain.basePoint = continued ? chain.base->GetDefPoint14() : chain.base->GetDefPoint13();
      return true;
    }
  }
  for (;;) {
    EntityPick pick;
    if (PickEntityWithPoint("Select base dimension", pick) != FC_INPUT_OK) return false;
    if (!IsChainBase(pick.entity)) {
      PrintMessage("Linear, Ordinate, or 3 point Angular associative dimension required.");
      continue;
    }
    chain.base = static_cast<FcDimension*>(pick.entity);
    graph.GetSysVars().LastDimensionHandle = chain.base->GetHandle();
    const FcPoint2d& p13 = chain.base->GetDefPoint13();
    const FcPoint2d& p14 = chain.base->GetDefPoint14();
    const double c = PointLineDistance(pick.worldPoint, p14, chain.base->GetDefPoint10());
    const double f = PointLineDistance(p13, p14, chain.base->GetDefPoint10());
    chain.basePoint = f > 2.0 * c ? p14 : p13;
    return true;
  }
}

// The next dimension of the chain: a copy of the base (a rotated one for
// an aligned base) with its text in the default place.
FcDimension* NewNext(const Chain& chain) {
  FcDimension* next = nullptr;
  if ((chain.base->GetDimType() & 7) == kDimTypeAligned) {
    auto* rotated = new (std::nothrow) FcDimRotate;
    if (rotated == nullptr) return nullptr;
    rotated->Copy(chain.base);
    rotated->SetRotation(NormalAngle(AngleFromTo(chain.base->GetDefPoint13(), chain.base->GetDefPoint14())));
    next = rotated;
  } else {
    next = static_cast<FcDimension*>(chain.base->Clone());
  }
  if (next == nullptr) return nullptr;
  next->SetDimType(static_cast<std::uint8_t>(next->GetDimType() & ~kDimUserText));
  return next;
}

// Puts the next dimension's points where the new origin q asks.
void PlaceNext(const Chain& chain, FcDimension& next, const FcPoint2d& q, bool continued) {
  if ((chain.base->GetDimType() & 7) == kDimTypeOrdinate) {
    auto& ordinate = static_cast<FcDimOrdinate&>(next);
    const double a = kTwoPi - next.GetHorizontalDirection();
    const double leader = ordinate.MeasuresX() ? a + kHalfPi : a;
    const double along = ordinate.MeasuresX() ? a : a + kHalfPi;
    FcPoint2d end = chain.base->GetDefPoint14();
    IntersectLines(kInfiniteLines, q, PointAtPolar(q, 1000.0, leader), chain.base->GetDefPoint14(),
                   PointAtPolar(chain.base->GetDefPoint14(), 1000.0, along), end);
    next.SetDefPoint13(q);
    next.SetDefPoint14(end);
    return;
  }
  next.SetDefPoint13(chain.basePoint);
  next.SetDefPoint14(q);
  if (continued) return;
  FcDimStyle* style = chain.base->ResolveDimStyle();
  const double spacing = style != nullptr ? style->dimdli * style->GetDimScale() : 0.0;
  const FcPoint2d b10 = chain.base->GetDefPoint10();
  const double u = AngleFromTo(chain.base->GetDefPoint14(), b10);
  const FcPoint2d e = PointAtPolar(b10, 1000.0, next.GetRotation()) - b10;
  const bool sameSide = Sign(Cross(e, q - b10)) == Sign(Cross(e, chain.base->GetDefPoint13() - b10));
  next.SetDefPoint10(PointAtPolar(b10, std::isfinite(spacing) ? spacing : 0.0, sameSide ? u : u + kPi));
}

// The next dimension follows the cursor as its second origin.
class FcDragBaseDim : public FcDragObject {
 public:
  FcDragBaseDim(const Chain& chain, FcDimension& next, bool continued)
      : chain_(chain), next_(next), continued_(continued) {
    mode = 1;
  }

  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override {
    if (drawing == nullptr || surface == nullptr) return;
    PlaceNext(chain_, next_, UcsToWorldPoint(*drawing, point), continued_);
    next_.RebuildBlock();
    next_.Draw(surface);
  }

 private:
  const Chain& chain_;
  FcDimension& next_;
  bool continued_;
};

int RunChain(bool continued) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const char* name = continued ? "DimContinue" : "DimBaseLine";
  Chain chain;
  if (!SelectBase(*graph, chain, continued, true)) return kStatusDone;
  for (;;) {
    FcDimension* next = NewNext(chain);
    if (next == nullptr) return kStatusDone;
    next->SetPlacementGraph(graph);
    FcDragBaseDim band(chain, *next, continued);
    SetDragObject(&band);
    FcPoint2d point;
    std::string text;
    const int status = GetPoint(nullptr, "Second extension line origin or RETURN to select", point, text);
    if (status != FC_INPUT_OK) {
      DiscardDimension(*graph, next);
      if (status == FC_INPUT_NONE && SelectBase(*graph, chain, continued, false)) continue;
      return kStatusDone;
    }
    const FcPoint2d q = UcsToWorldPoint(*graph, point);
    PlaceNext(chain, *next, q, continued);
    next->RebuildBlock();
    FcUndoSection section(*graph, name, FcUndoSection::Steps::kWholeRun);
    if (!section.AddCreated(next)) return kStatusDone;
    graph->GetSysVars().LastDimensionHandle = next->GetHandle();
    chain.base = next;
    if (continued) chain.basePoint = q;
  }
}

}  // namespace

int CmdDimBaseLine() { return RunChain(false); }
int CmdDimContinue() { return RunChain(true); }
