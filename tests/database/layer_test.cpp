#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/line.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

TEST(LayerTest, DefPointsNeverPlots) {
  FcLayer layer;
  layer.SetName("Walls");
  EXPECT_TRUE(layer.IsPlottable());
  layer.SetName("defpoints");
  EXPECT_FALSE(layer.IsPlottable());
  layer.SetPlottable(true);
  EXPECT_FALSE(layer.IsPlottable());
  layer.SetName("Walls");
  layer.SetPlottable(true);
  EXPECT_TRUE(layer.IsPlottable());
  layer.SetPlottable(false);
  EXPECT_FALSE(layer.IsPlottable());
}

// A layer written to DXF: off, frozen and locked, on a linetype the
// drawing lacks, and named DefPoints so that it carries 290 0.
TEST(LayerTest, WritesTheDxfRecord) {
  FcLayerList table;
  table.SetHandle(0x2);
  FcLayer* layer = table.AddNew();
  layer->SetHandle(0x30);
  layer->SetName("DEFPOINTS");
  layer->SetColor(5);
  layer->SetOn(false);
  layer->SetFrozen(true);
  layer->SetLocked(true);
  layer->SetLinetypeHandle(0x99);
  layer->SetPlotStyle(0xF);
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, nullptr);
  layer->WriteDxf(filer);
  EXPECT_EQ(Contents(filer), Groups({{0, "LAYER"},
                                     {5, "30"},
                                     {330, "2"},
                                     {100, "AcDbSymbolTableRecord"},
                                     {100, "AcDbLayerTableRecord"},
                                     {2, "DEFPOINTS"},
                                     {70, "5"},
                                     {62, "-5"},
                                     {6, "Continuous"},
                                     {290, "0"},
                                     {390, "F"}}));
}

class LayerFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dashed = graph.GetOrCreateLinetype("DASHED");
    ASSERT_NE(dashed, nullptr);
  }
  FcLayerList& Layers() { return graph.GetLayerList(); }
  FcLayer* AddLayer(const char* name) {
    FcLayer* layer = Layers().AddNew();
    graph.TakeHandle(*layer);
    layer->SetGraph(&graph);
    layer->SetName(name);
    return layer;
  }
  static void ExpectSameLayer(const FcLayer& a, const FcLayer& b) {
    EXPECT_EQ(a.GetName(), b.GetName());
    EXPECT_EQ(a.GetHandle(), b.GetHandle());
    EXPECT_EQ(a.GetColor(), b.GetColor());
    EXPECT_EQ(a.IsOn(), b.IsOn());
    EXPECT_EQ(a.IsFrozen(), b.IsFrozen());
    EXPECT_EQ(a.IsLocked(), b.IsLocked());
    EXPECT_EQ(a.IsPlottable(), b.IsPlottable());
    // "Continuous" is kept as 0 once read, whatever handle named it.
    EXPECT_EQ(a.GetLinetype() ? a.GetLinetype()->GetName() : "Continuous",
              b.GetLinetype() ? b.GetLinetype()->GetName() : "Continuous");
    EXPECT_EQ(a.GetPlotStyle(), b.GetPlotStyle());
  }
  // Takes copies of the layers, so that the table can be read over.
  std::vector<std::unique_ptr<FcLayer>> Snapshot() {
    std::vector<std::unique_ptr<FcLayer>> copies;
    for (int i = 0; i < Layers().GetCount(); ++i) {
      copies.push_back(std::make_unique<FcLayer>());
      copies.back()->CopyFrom(*Layers().GetAt(i));
      copies.back()->SetGraph(&graph);
    }
    return copies;
  }
  void Fill() {
    FcLayer* walls = AddLayer("Walls");
    walls->SetColor(3);
    walls->SetOn(false);
    walls->SetFrozen(true);
    walls->SetLinetype(dashed);
    walls->SetPlotStyle(0x77);
    FcLayer* doors = AddLayer("Doors");
    doors->SetLocked(true);
    doors->SetPlottable(false);
    AddLayer("defpoints");
  }

  FcGraph graph;
  FcLineType* dashed = nullptr;
};

TEST_F(LayerFileTest, DxfTableRoundTripInBothForms) {
  Fill();
  const auto written = Snapshot();
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcFiler filer;
    StartMemory(filer, kind, &graph);
    ASSERT_EQ(Layers().WriteDxf(filer), kFcStatusOk);
    filer.Seek(0, FcSeekOrigin::kBegin);
    FcResBuf group;
    ASSERT_TRUE(filer.ReadGroup(group));
    ASSERT_EQ(Layers().ReadDxf(filer), kFcStatusOk);
    ASSERT_EQ(Layers().GetCount(), static_cast<int>(written.size()));
    for (int i = 0; i < Layers().GetCount(); ++i) {
      ExpectSameLayer(*Layers().GetAt(i), *written[static_cast<std::size_t>(i)]);
      EXPECT_EQ(Layers().GetAt(i)->GetGraph(), &graph);
    }
  }
}

TEST_F(LayerFileTest, DwgTableRoundTrip) {
  Fill();
  const FcLineType* continuous = graph.GetLinetypeList().FindByName("Continuous");
  ASSERT_NE(continuous, nullptr);
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  Layers().WriteDwg(filer);
  const auto snapshot = Snapshot();
  Layers().AddNew()->SetName("NOT IN THE FILE");
  ASSERT_EQ(Layers().ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(Layers().GetCount(), static_cast<int>(snapshot.size()));
  for (int i = 0; i < Layers().GetCount(); ++i) ExpectSameLayer(*Layers().GetAt(i), *snapshot[static_cast<std::size_t>(i)]);
}

// Control objects whose counts or entries do not fit what the file holds.
TEST_F(LayerFileTest, DwgControlObjectRefusals) {
  struct Control : FcLayerList {
    void Write(FcFilerDwg& f, std::int32_t count, FcHandle entry) {
      BeginDwgObject(f);
      f.WriteBitLong(0);
      f.WriteBitLong(count);
      f.SetDataBitSize(f.GetBitsWritten());
      f.WriteHandleRef(4, 0, 0);
      f.WriteHandleRef(3, 0, 0);
      f.WriteHandleRef(2, 0, entry);
      EndDwgObject(f);
    }
  };
  const struct {
    const char* name;
    std::int32_t count;
    FcHandle entry;
  } cases[] = {{"count beyond the record", 1000000, 0x30}, {"negative count", -1, 0x30},
               {"entry without a record", 1, 0x31}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcFilerDwg filer;
    StartMemory(filer, FcFileKind::kDwg, &graph);
    filer.WriteRawByte(0);
    Control control;
    control.SetHandle(0x2);
    control.Write(filer, c.count, c.entry);
    FcLayer layer;
    layer.SetHandle(0x30);
    layer.SetName("A");
    layer.WriteDwg(filer);
    FcLayerList read;
    read.SetHandle(0x2);
    EXPECT_EQ(read.ReadDwg(filer), kFcStatusReadError);
    EXPECT_EQ(read.GetCount(), 0);
  }
}

// Tables read from DXF text: group by group, what each layer becomes, and
// what stops the table.
TEST_F(LayerFileTest, DxfTableReads) {
  auto layer = [](std::vector<std::pair<int, std::string>> groups) {
    std::vector<std::pair<int, std::string>> record = {
        {0, "LAYER"}, {5, "40"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbLayerTableRecord"}};
    record.insert(record.end(), groups.begin(), groups.end());
    return record;
  };
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> record;
    int status;
    int count;
    int color;
    bool on;
  };
  const Case cases[] = {
      {"off", layer({{2, "A"}, {62, "-5"}}), kFcStatusOk, 1, 5, false},
      {"colour 0", layer({{2, "A"}, {62, "0"}}), kFcStatusOk, 1, 7, true},
      {"colour 300", layer({{2, "A"}, {62, "300"}}), kFcStatusOk, 1, 7, true},
      {"known linetype", layer({{2, "A"}, {6, "dashed"}}), kFcStatusOk, 1, 7, true},
      {"empty name", layer({{2, ""}, {62, "1"}}), kFcStatusOk, 0, 0, true},
      {"xref-dependent", layer({{2, "X|A"}, {70, "16"}, {6, "MISSING"}}), kFcStatusOk, 0, 0, true},
      {"ByBlock", layer({{2, "A"}, {6, "ByBlock"}}), kFcStatusRecordFailed, 0, 0, true},
      {"unknown linetype", layer({{2, "A"}, {6, "MISSING"}}), kFcStatusRecordFailed, 0, 0, true},
      {"no name", layer({{62, "1"}}), kFcStatusRecordFailed, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::pair<int, std::string>> groups = {
        {5, "2"}, {100, "AcDbSymbolTable"}, {70, "1000000000"}};
    groups.insert(groups.end(), c.record.begin(), c.record.end());
    groups.emplace_back(0, "ENDTAB");
    FcFiler filer;
    StartReading(filer, Groups(groups), FcFileKind::kAsciiDxf, &graph);
    ASSERT_EQ(Layers().ReadDxf(filer), c.status);
    ASSERT_EQ(Layers().GetCount(), c.count);
    if (c.count == 0) continue;
    EXPECT_EQ(Layers().GetAt(0)->GetColor(), c.color);
    EXPECT_EQ(Layers().GetAt(0)->IsOn(), c.on);
  }
  EXPECT_EQ(Layers().GetCapacity(), 16);
}

TEST(LayerTableTest, ALayerWithEntitiesStays) {
  FcLayerList table;
  FcLayer* walls = table.AddNew();
  walls->SetName("Walls");
  table.AddNew()->SetName("walls");
  FcLine line;
  line.SetHandle(0x70);
  walls->AddEntityHandle(&line);
  EXPECT_EQ(line.GetLayer(), walls);
  EXPECT_FALSE(table.RemoveByName("WALLS"));
  EXPECT_EQ(table.GetCount(), 2);
  walls->RemoveEntityHandle(&line);
  EXPECT_EQ(walls->GetEntityHandles().count, 0);
  EXPECT_TRUE(table.RemoveByName("WALLS"));
  EXPECT_EQ(table.GetCount(), 0);
}

TEST(LayerTableTest, RemovalAndSorting) {
  FcLayerList table;
  const char* names[] = {"b", "C", "a"};
  for (int i = 0; i < 3; ++i) {
    FcLayer* layer = table.AddNew();
    layer->SetName(names[i]);
    layer->SetHandle(0x10 + static_cast<FcHandle>(i));
  }
  EXPECT_TRUE(table.RemoveByName("missing"));
  EXPECT_TRUE(table.RemoveByHandle(0x10));
  ASSERT_EQ(table.GetCount(), 2);
  EXPECT_EQ(table.GetAt(0)->GetName(), "a");
  table.AddNew()->SetName("_x");
  table.SortByName(0, table.GetCount() - 1);
  EXPECT_EQ(table.GetAt(0)->GetName(), "_x");
  EXPECT_EQ(table.GetAt(1)->GetName(), "a");
  EXPECT_EQ(table.GetAt(2)->GetName(), "C");
  EXPECT_EQ(table.FindByName("c"), table.GetAt(2));
  EXPECT_EQ(table.SetPlotStyleWhereUnset(0x5), 3);
}

}  // namespace
