#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/matrix2d.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/dim_radial.h"
#include "platform/thread_slot.h"
#include "tests/support/dimension_blocks.h"
#include "tests/support/point_expect.h"
#include "tests/support/primitive_sink.h"

namespace {

class DimensionTransformTest : public DimensionBlockTest {};

// Moving, turning, scaling or mirroring a dimension in the drawing carries
// its definition points along and measures the same thing again: lengths
// grow with the scale, angles stay.
TEST_F(DimensionTransformTest, EveryKindMeasuresTheSameAfterEverySimilarity) {
  struct Kind {
    const char* name;
    bool angular;
    std::function<FcDimension*()> make;
  };
  const std::vector<Kind> kinds = {
      {"rotated", false,
       [] {
         auto* d = new FcDimRotate;
         d->SetDefPoint13({0, 0}), d->SetDefPoint14({10, 3}), d->SetDefPoint10({0, 6});
         return d;
       }},
      {"aligned", false,
       [] {
         auto* d = new FcDimAligned;
         d->SetDefPoint13({0, 0}), d->SetDefPoint14({10, 3}), d->SetDefPoint10({-1, 5});
         return d;
       }},
      {"two lines", true,
       [] {
         auto* d = new FcDim2LAng;
         d->SetDefPoint13({1, 0}), d->SetDefPoint14({10, 0}), d->SetDefPoint15({1, 1}), d->SetDefPoint10({7, 7});
         d->SetDefPoint16({6, 2});
         return d;
       }},
      {"three points", true,
       [] {
         auto* d = new FcDim3PAng;
         d->SetDefPoint15({0, 0}), d->SetDefPoint13({10, 0}), d->SetDefPoint14({3, 10}), d->SetDefPoint10({4, 4});
         return d;
       }},
      {"radius", false,
       [] {
         auto* d = new FcDimRadius;
         d->SetDefPoint10({2, 2}), d->SetDefPoint15({6, 5});
         return d;
       }},
      {"diameter", false,
       [] {
         auto* d = new FcDimDiameter;
         d->SetDefPoint10({-2, -1}), d->SetDefPoint15({6, 5});
         return d;
       }},
  };
  struct Change {
    const char* name;
    FcMatrix2d matrix;
    double scale;
  };
  std::vector<Change> changes;
  FcMatrix2d m;
  RotationMatrix(1, 1, 0.7, m);
  changes.push_back({"rotate", m, 1.0});
  ScaleAboutPointMatrix(1, 2, 3.0, m);
  changes.push_back({"scale", m, 3.0});
  MirrorMatrix(4, 0, 4, 1, m);
  changes.push_back({"mirror about a vertical", m, 1.0});
  changes.push_back({"mirror about y = x", FcMatrix2d{0, 1, 0, 1, 0, 0}, 1.0});
  for (const Kind& kind : kinds) {
    for (const Change& change : changes) {
      FcDimension* dimension = Add(kind.make());
      const double before = dimension->GetMeasurement();
      ASSERT_GT(before, 0.0) << kind.name;
      FcPoint2d p13 = dimension->GetDefPoint13();
      TransformPoint(change.matrix, p13);
      dimension->Transform(change.matrix);
      ExpectPointNear(dimension->GetDefPoint13(), p13, 1e-9);
      EXPECT_NEAR(dimension->GetMeasurement(), kind.angular ? before : before * change.scale, 1e-9)
          << kind.name << " under " << change.name;
    }
  }
}

// The previews of the editing commands draw transformed copies that never
// join the drawing: they must not leave a block each in its table. A copy
// that joins it gets its block when it is drawn there.
TEST_F(DimensionTransformTest, ACopyBuildsItsBlockOnlyOnceItIsInTheDrawing) {
  auto* source = new FcDimRotate;
  source->SetDefPoint13({0, 0}), source->SetDefPoint14({10, 0}), source->SetDefPoint10({0, 5});
  Add(source);
  CurrentThreadSlot().graph = &graph_;
  struct SlotReset {
    ~SlotReset() { CurrentThreadSlot() = {}; }
  } reset;
  const int blocks = graph_.GetBlockList().GetBlockCount();
  FcMatrix2d shift;
  TranslationMatrix(3, 4, shift);
  std::unique_ptr<FcEntity> stored(source->Clone());
  for (int i = 0; i < 3; ++i) {
    std::unique_ptr<FcEntity> seen(stored->TransformedClone(shift));
    PrimitiveSink sink(&graph_);
    seen->Draw(&sink);
  }
  EXPECT_EQ(graph_.GetBlockList().GetBlockCount(), blocks);

  auto* copy = static_cast<FcDimension*>(source->TransformedClone(shift));
  graph_.AddEntityKeepLayer(copy);
  graph_.DrawEntity(copy);
  ASSERT_NE(copy->GetDimBlock(), nullptr);
  EXPECT_NE(copy->GetDimBlock(), source->GetDimBlock());
  EXPECT_EQ(graph_.GetBlockList().GetBlockCount(), blocks + 1);
  EXPECT_NEAR(copy->GetMeasurement(), 10.0, 1e-9);
  ExpectPointNear(copy->GetDefPoint13(), {3, 4}, 1e-9);
}

}  // namespace
