#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/face3d.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/polyline.h"
#include "entities/raster_image.h"
#include "entities/ray.h"
#include "entities/solid.h"
#include "entities/trace.h"
#include "entities/xline.h"
#include "platform/thread_slot.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/point_expect.h"

namespace {

const FcCornerEntity::Corners kCorners = {FcPoint2d{0, 0}, FcPoint2d{4, 0}, FcPoint2d{0, 3}, FcPoint2d{4, 3}};

template <typename Entity>
std::unique_ptr<FcEntity> WithCorners() {
  auto entity = std::make_unique<Entity>();
  entity->SetCorners(kCorners);
  return entity;
}

template <typename Entity>
std::unique_ptr<FcEntity> Unbounded(FcPoint2d base, FcPoint2d direction) {
  auto entity = std::make_unique<Entity>();
  entity->SetBasePoint(base);
  entity->SetDirection(direction);
  return entity;
}

// A picture 10 wide and 5 high with its insertion point at the origin.
std::unique_ptr<FcRasterImage> Picture() {
  auto image = std::make_unique<FcRasterImage>();
  image->SetInsertionPoint({0, 0});
  image->SetVectors({1, 0}, {0, 1});
  image->SetPixelSize(10, 5);
  return image;
}

// What the view shows as grips is what each kind hands out, in the order
// the grip indices count; a kind that left one out, or swapped two, would
// have the wrong point move when its grip is dragged.
TEST(GripListsTest, EachKindGivesItsGripsInIndexOrder) {
  // Rays and construction lines size their grips by the drawing's view.
  FcGraph drawing;
  CurrentThreadSlot().graph = &drawing;
  const double length = FcUnboundedLine::GripLength();
  CurrentThreadSlot().graph = nullptr;
  const double diagonal = std::sqrt(2.0);
  struct Case {
    const char* kind;
    std::function<std::unique_ptr<FcEntity>()> make;
    std::vector<FcPoint2d> grips;
  };
  const Case cases[] = {
      {"line: start, middle, end",
       [] {
         auto line = std::make_unique<FcLine>();
         line->SetStartPoint({0, 0});
         line->SetEndPoint({4, 2});
         return std::unique_ptr<FcEntity>(std::move(line));
       },
       {{0, 0}, {2, 1}, {4, 2}}},
      {"point: its location",
       [] {
         auto point = std::make_unique<FcPointEnt>();
         point->SetLocation({3, 4});
         return std::unique_ptr<FcEntity>(std::move(point));
       },
       {{3, 4}}},
      {"solid: corners in stored order", WithCorners<FcSolid>, {kCorners.begin(), kCorners.end()}},
      {"trace: corners in stored order", WithCorners<FcTrace>, {kCorners.begin(), kCorners.end()}},
      {"face: corners in stored order", WithCorners<Fc3DFace>, {kCorners.begin(), kCorners.end()}},
      {"ray: base, then one grip length along", [] { return Unbounded<FcRay>({1, 1}, {0, 1}); },
       {{1, 1}, {1, 1 + length}}},
      {"construction line: base, then both ways", [] { return Unbounded<FcXLine>({1, 1}, {1, 0}); },
       {{1, 1}, {1 + length, 1}, {1 - length, 1}}},
      {"circle: centre, then the quadrants from angle 0",
       [] {
         auto circle = std::make_unique<FcCircle>();
         circle->SetCenter({1, 1});
         circle->SetRadius(2);
         return std::unique_ptr<FcEntity>(std::move(circle));
       },
       {{1, 1}, {3, 1}, {1, 3}, {-1, 1}, {1, -1}}},
      {"arc: start, middle, end",
       [] {
         auto arc = std::make_unique<FcArc>();
         arc->SetCenter({0, 0});
         arc->SetRadius(2);
         arc->SetStartAngle(0);
         arc->SetEndAngle(std::acos(-1.0) / 2);
         return std::unique_ptr<FcEntity>(std::move(arc));
       },
       {{2, 0}, {diagonal, diagonal}, {0, 2}}},
      {"polyline: each vertex followed by its arc's midpoint",
       [] {
         auto polyline = std::make_unique<FcPolyline>();
         polyline->AppendVertex({0, 0}, 0, 0, 1);
         polyline->AppendVertex({10, 0}, 0, 0, 0);
         polyline->AppendVertex({10, 10}, 0, 0, 0);
         return std::unique_ptr<FcEntity>(std::move(polyline));
       },
       {{0, 0}, {5, -5}, {10, 0}, {10, 10}}},
      {"image: the four corners from the insertion point round", [] { return std::unique_ptr<FcEntity>(Picture()); },
       {{0, 0}, {10, 0}, {10, 5}, {0, 5}}},
  };
  ASSERT_GT(length, 0.0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::unique_ptr<FcEntity> entity = c.make();
    CurrentThreadSlot().graph = &drawing;
    const std::vector<FcPoint2d> grips = GripsOf(*entity);
    CurrentThreadSlot().graph = nullptr;
    ASSERT_EQ(grips.size(), c.grips.size());
    for (std::size_t i = 0; i < grips.size(); ++i) ExpectPointNear(grips[i], c.grips[i], 1e-9, std::to_string(i));
  }
}

// A dragged corner scales the picture about the opposite corner; all four
// corners together move it; a corner dropped on the frame changes nothing.
TEST(GripListsTest, ImageCornerGripsScaleAboutTheOppositeCorner) {
  struct Case {
    const char* name;
    std::initializer_list<int> indices;
    FcPoint2d offset;
    std::vector<FcPoint2d> corners;
  };
  const Case cases[] = {
      {"far corner dragged outwards doubles it", {2}, {10, 0}, {{0, 0}, {20, 0}, {20, 10}, {0, 10}}},
      {"first corner dragged inwards, nearer the lower edge", {0}, {4, 1}, {{2, 1}, {10, 1}, {10, 5}, {2, 5}}},
      {"all four move it", {0, 1, 2, 3}, {3, 4}, {{3, 4}, {13, 4}, {13, 9}, {3, 9}}},
      {"a corner dropped on the frame", {1}, {0, 2}, {{0, 0}, {10, 0}, {10, 5}, {0, 5}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<FcRasterImage> image = Picture();
    const CIntArray indices = Indices(c.indices);
    EXPECT_EQ(image->MoveGripPoints(indices, c.offset), indices.count);
    const std::vector<FcPoint2d> grips = GripsOf(*image);
    ASSERT_EQ(grips.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) ExpectPointNear(grips[i], c.corners[i], 1e-9, std::to_string(i));
  }
}

}  // namespace
