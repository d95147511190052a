#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "database/block.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/text_style.h"
#include "display/display_surface.h"
#include "entities/dim_linear.h"
#include "entities/hatch.h"
#include "entities/insert.h"
#include "entities/mtext.h"
#include "entities/polyline.h"
#include "entities/text.h"
#include "database/sort_ents_table.h"
#include "export/pdf_export.h"
#include "files/drawing_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/drawing_file_support.h"

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string PointsOf(const FcDsEntity& primitive) {
  std::string text;
  const auto add = [&text](const FcPoint2d& point) { text += " " + Number(point.x) + "," + Number(point.y); };
  if (const auto* line = dynamic_cast<const FcDsLine*>(&primitive)) {
    add(line->first);
    add(line->second);
  } else if (const auto* point = dynamic_cast<const FcDsPoint*>(&primitive)) {
    add(point->point);
  } else if (const auto* ray = dynamic_cast<const FcDsRayLine*>(&primitive)) {
    add(ray->first);
    add(ray->second);
  } else if (const auto* list = dynamic_cast<const FcDsPointList*>(&primitive)) {
    for (const FcPoint2d& p : list->GetPoints()) add(p);
  }
  if (const auto* strokes = dynamic_cast<const FcDsStrokes*>(&primitive)) {
    for (const std::int32_t count : strokes->GetStrokeCounts()) text += " s" + std::to_string(count);
  }
  if (const auto* rings = dynamic_cast<const FcDsPolyPolygon*>(&primitive)) {
    for (const std::int32_t count : rings->GetRingCounts()) text += " r" + std::to_string(count);
  }
  return text;
}

// One line per group: its handle, sort key and visibility, then each
// primitive's kind, tags, colour, visibility, extents and points.
std::vector<std::string> DisplayListOf(FcDisplaySurface& surface) {
  std::vector<std::string> list;
  for (int i = 0; i < surface.GetGroupCount(); ++i) {
    FcDsGroupEnts& group = *surface.GetGroup(i);
    std::string text = std::to_string(group.entityHandle) + " key " + std::to_string(group.sortKey) +
                       (group.visible ? " shown" : " hidden");
    for (int j = 0; j < group.GetCount(); ++j) {
      FcDsEntity& primitive = *group.GetPrimitive(j);
      FcPoint2d min;
      FcPoint2d max;
      primitive.GetExtents(min, max);
      text += std::string("\n  ") + typeid(primitive).name() + " " + std::to_string(primitive.entityHandle) + "/" +
              std::to_string(primitive.partTag) + " cell " + std::to_string(primitive.insertCell) + " colour " +
              std::to_string(primitive.colorIndex) + "/" + std::to_string(primitive.trueColor) +
              (primitive.visible ? "" : " invisible") + " box " + Number(min.x) + "," + Number(min.y) + " " +
              Number(max.x) + "," + Number(max.y) + PointsOf(primitive);
    }
    list.push_back(std::move(text));
  }
  return list;
}

// The first group that differs, or "" when the lists are the same.
std::string FirstDifferentGroup(const std::vector<std::string>& one, const std::vector<std::string>& several) {
  for (std::size_t i = 0; i < std::min(one.size(), several.size()); ++i) {
    if (one[i] != several[i]) return "group " + std::to_string(i) + ":\n" + one[i] + "\nbecame\n" + several[i];
  }
  if (one.size() != several.size()) {
    return std::to_string(one.size()) + " groups became " + std::to_string(several.size());
  }
  return "";
}

// The screen list (the drawing's own surface, without a device) and an
// export's list (a device that draws curves itself), each regenerated on
// the given number of threads.
struct RegenLists {
  std::vector<std::string> screen;
  std::vector<std::string> output;
};

RegenLists RegenOn(FcGraph& graph, int threads) {
  RegenLists lists;
  FcDisplaySurface& screen = *graph.GetDisplaySurface();
  screen.regenThreads = threads;
  graph.Regen();
  lists.screen = DisplayListOf(screen);
  FcDisplaySurface output(&graph);
  output.SetDevice(std::make_unique<FcPDFExportDevice>());
  output.SetDeviceSize(2000, 1500);
  output.ZoomWindow({-50, -50}, {1100, 900});
  output.regenThreads = threads;
  graph.GetView()->RegenToSurface(output);
  lists.output = DisplayListOf(output);
  return lists;
}

// Each count of threads regenerates a drawing of its own, made afresh:
// drawing a justified text settles its insertion point and an aligned one
// its height, so a second regen of the same drawing may differ in the last
// bit from the first.
using DrawingMaker = std::function<bool(FcGraph& graph)>;

void ExpectSameListsOnThreads(const DrawingMaker& make) {
  FcGraph first;
  if (!make(first)) return;
  const RegenLists one = RegenOn(first, 1);
  for (const int threads : {2, 5}) {
    SCOPED_TRACE(std::to_string(threads) + " threads");
    FcGraph graph;
    ASSERT_TRUE(make(graph));
    const RegenLists several = RegenOn(graph, threads);
    EXPECT_EQ(FirstDifferentGroup(one.screen, several.screen), "");
    EXPECT_EQ(FirstDifferentGroup(one.output, several.output), "");
  }
}

FcHatch* AddSquareHatch(FcGraph& graph, double x, double y, bool solid) {
  auto* hatch = new FcHatch;
  auto loop = std::make_unique<FcPLineEdge>();
  loop->AddVertex({x, y}, 0);
  loop->AddVertex({x + 4, y}, 0);
  loop->AddVertex({x + 4, y + 3}, 0);
  loop->AddVertex({x, y + 3}, 0);
  loop->SetClosed(true);
  hatch->GetLoops().Append(std::move(loop));
  if (solid) {
    hatch->SetSolid(true);
  } else {
    FcHPLine family;
    family.angle = 0.7;
    family.offset = {0.2, 0.5};
    hatch->GetPattern().AddLine(family);
  }
  graph.AddEntity(hatch, false);
  return hatch;
}

FcText* AddCellText(FcGraph& graph, FcTextStyle* style, const std::string& contents, const FcPoint2d& at) {
  auto* text = new FcText;
  text->SetStyle(style);
  text->SetText(contents);
  text->SetInsertionPoint(at);
  text->SetHeight(1.5);
  graph.AddEntity(text, false);
  return text;
}

// Every kind in model space and in the block "Door" (FillTestDrawing),
// then cells of the kinds a large drawing is made of: lines, circles,
// arcs, polylines with a bulge, texts in a stroke font and in a TrueType
// face, hatches, dimensions, a paragraph, and references to a block that
// holds a reference to "Door". Some cells lie on a layer that is off, some
// on a frozen one.
void FillMixedCells(FcGraph& graph, int cells) {
  FillTestDrawing(graph);
  FcTextStyle* simplex = graph.FindOrCreateTextStyle("Simplex");
  graph.TakeHandle(*simplex);
  simplex->SetFontFile("simplex.shx");
  FcTextStyle* sans = graph.FindOrCreateTextStyle("Sans");
  graph.TakeHandle(*sans);
  sans->SetTrueTypeFace("DejaVu Sans");
  graph.FindOrCreateLayer("Off")->SetOn(false);
  graph.FindOrCreateLayer("Frozen")->SetFrozen(true);

  FcBlock* modelSpace = graph.GetCurrentBlock();
  FcBlock* outer = graph.GetBlockList().AddNew();
  outer->SetName("Outer");
  graph.SetCurrentBlock(outer);
  graph.SetCurrentEntitySet(&outer->GetEntities());
  AddTestLine(graph, {0, 0}, {3, 3});
  AddCellText(graph, simplex, "in block", {0, 4});
  auto* door = new FcInsert;
  door->SetBlockName("Door");
  door->SetInsertionPoint({1, 1});
  door->SetXScale(0.25);
  graph.AddEntity(door, false);
  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());

  const char* layers[] = {"0", "Walls", "Edges", "Off", "0", "Frozen", "Walls"};
  for (int i = 0; i < cells; ++i) {
    const double x = (i % 40) * 25.0;
    const double y = (i / 40) * 25.0;
    graph.SetCurrentLayer(layers[i % 7]);
    AddTestLine(graph, {x, y}, {x + 5, y + 1});
    auto* circle = new FcCircle;
    circle->SetCenter({x + 8, y + 2});
    circle->SetRadius(1.5 + i % 3);
    graph.AddEntity(circle, false);
    auto* arc = new FcArc;
    arc->SetCenter({x + 12, y + 2});
    arc->SetRadius(1);
    arc->SetStartAngle(0.5);
    arc->SetEndAngle(2.5 + i % 4);
    graph.AddEntity(arc, false);
    auto* polyline = new FcPolyline;
    for (int v = 0; v < 5; ++v) polyline->AppendVertex({x + v, y + 6 + (v % 2)}, 0, 0, v == 2 ? 0.5 : 0);
    graph.AddEntity(polyline, false);
    AddCellText(graph, i % 2 == 0 ? simplex : sans, "cell %%u" + std::to_string(i), {x, y + 10});
    if (i % 5 == 0) AddSquareHatch(graph, x + 15, y + 8, i % 10 == 0);
    if (i % 6 == 0) {
      auto* dimension = new FcDimAligned;
      dimension->SetDefPoint13({x, y + 13});
      dimension->SetDefPoint14({x + 6, y + 13});
      dimension->SetDefPoint10({x, y + 15});
      graph.AddEntity(dimension, false);
    }
    if (i % 9 == 0) {
      auto* paragraph = new FcMText;
      paragraph->SetStyle(simplex);
      paragraph->SetContents("two \\Pline paragraph");
      paragraph->SetInsertionPoint({x + 18, y + 20});
      paragraph->SetHeight(1.0);
      graph.AddEntity(paragraph, false);
    }
    if (i % 10 == 0) {
      auto* reference = new FcInsert;
      reference->SetBlockName(i % 20 == 0 ? "Outer" : "Door");
      reference->SetInsertionPoint({x + 15, y + 15});
      graph.AddEntity(reference, false);
    }
  }
  graph.SetCurrentLayer("0");
}

TEST(RegenThreadsTest, SeveralThreadsBuildTheListOfAMixedDrawingAsOneDoes) {
  FcGraph graph;
  FillMixedCells(graph, 300);
  const std::vector<std::string> screen = RegenOn(graph, 1).screen;
  EXPECT_GT(screen.size(), 1000u);
  EXPECT_TRUE(std::any_of(screen.begin(), screen.end(),
                          [](const std::string& group) { return group.find(" hidden") != std::string::npos; }));
  ExpectSameListsOnThreads([](FcGraph& made) {
    FillMixedCells(made, 300);
    return true;
  });
}

TEST(RegenThreadsTest, SeveralThreadsKeepTheDrawOrderTable) {
  ExpectSameListsOnThreads([](FcGraph& graph) {
    FillMixedCells(graph, 60);
    const FcEntitySets& entities = graph.GetCurrentBlock()->GetEntities();
    graph.AddToDrawOrder(entities.GetAt(0)->GetHandle(), true);
    FcSortEntsTable& order = *graph.GetCurrentBlock()->GetSortEntsTable();
    for (int i = 1; i < entities.GetCount(); ++i) order.AddHandle(entities.GetAt(i)->GetHandle());
    // Every seventh entity from the end is brought to the front, so that
    // the table's order is far from the handles'.
    for (int i = entities.GetCount() - 1; i > 0; i -= 7) order.MoveEntityBefore(entities.GetAt(i)->GetHandle(), 0);
    return true;
  });
}

TEST(RegenThreadsTest, SeveralThreadsBuildTheListOfEveryCorpusDrawingAsOneDoes) {
  const std::string directory = CorpusDirectory();
  std::vector<CorpusFile> files = CorpusFiles(directory, "dxf/");
  const std::vector<CorpusFile> dwg = CorpusFiles(directory, "dwg/");
  files.insert(files.end(), dwg.begin(), dwg.end());
  if (files.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  for (const CorpusFile& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = directory + "/" + file.name;
    ExpectSameListsOnThreads(
        [&path](FcGraph& graph) { return OpenDrawing(graph, path, false, nullptr) == FcOpenResult::kDone; });
  }
}

}  // namespace
