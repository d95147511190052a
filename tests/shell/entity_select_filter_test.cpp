#include "shell/entity_select_filter.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/qt/program_settings_store.h"
#include "tests/support/temp_dir.h"

namespace {

// One entity of each kind a condition tells apart: record name, layer,
// linetype and colour.
class EntitySelectFilterTest : public ::testing::Test {
 protected:
  EntitySelectFilterTest() {
    line.SetLayer(graph.FindOrCreateLayer("Walls"));
    line.SetColor(1);
    lightweight.SetLayer(graph.FindOrCreateLayer("0"));
    lightweight.SetLinetype(graph.GetOrCreateLinetype("Dashed"));
    lightweight.SetColor(3);
    // A fitted polyline takes the heavy form.
    for (const FcPoint2d& point : {FcPoint2d{0, 0}, FcPoint2d{5, 5}, FcPoint2d{10, 0}})
      heavy.AppendVertex(point, 0.0, 0.0, 0.0);
    heavy.CurveFit();
    heavy.SetLayer(graph.FindOrCreateLayer("0"));
    heavy.SetLinetype(LinetypeByBlock());
    heavy.SetColor(256);
  }

  void SetUp() override { ASSERT_EQ(heavy.GetRecordName(), FcPolyline::kRecordNameHeavy); }

  // Which of line (L), lightweight (W) and heavy (H) polyline pass.
  std::string Passing(const FcEntSelectFilter& filter) const {
    std::string passing;
    if (filter.Accepts(&line)) passing += 'L';
    if (filter.Accepts(&lightweight)) passing += 'W';
    if (filter.Accepts(&heavy)) passing += 'H';
    return passing;
  }

  FcGraph graph;
  FcLine line;
  FcPolyline lightweight;
  FcPolyline heavy;
};

TEST_F(EntitySelectFilterTest, EachListRestrictsOnlyWhenFilledAndAllMustMatch) {
  struct Case {
    std::vector<std::string> types, layers, linetypes;
    std::vector<std::int16_t> colors;
    const char* passing;
  };
  const Case cases[] = {
      {{}, {}, {}, {}, "LWH"},
      {{"polyline"}, {}, {}, {}, "WH"},
      {{"LWPOLYLINE"}, {}, {}, {}, "WH"},
      {{"line"}, {}, {}, {}, "L"},
      {{}, {"walls"}, {}, {}, "L"},
      {{}, {"0"}, {}, {}, "WH"},
      {{}, {}, {"ByLayer"}, {}, "L"},
      {{}, {}, {"BYBLOCK"}, {}, "H"},
      {{}, {}, {"dashed"}, {}, "W"},
      {{}, {}, {}, {1, 256}, "LH"},
      {{"polyline"}, {"0"}, {"Dashed", "ByBlock"}, {256}, "H"},
      {{"circle"}, {}, {}, {}, ""},
  };
  for (const Case& c : cases) {
    FcEntSelectFilter filter;
    for (const std::string& name : c.types) filter.AddType(name);
    for (const std::string& name : c.layers) filter.AddLayer(name);
    for (const std::string& name : c.linetypes) filter.AddLinetype(name);
    for (const std::int16_t color : c.colors) filter.AddColor(color);
    EXPECT_EQ(Passing(filter), c.passing) << c.passing;
  }
}

TEST_F(EntitySelectFilterTest, RepeatedEntriesAreRefusedAndCopyingReplacesEveryList) {
  FcEntSelectFilter filter;
  EXPECT_TRUE(filter.AddType("TEXT"));
  EXPECT_FALSE(filter.AddType("Text"));
  EXPECT_TRUE(filter.AddType("Polyline"));
  EXPECT_FALSE(filter.AddType("LWPolyline"));
  EXPECT_TRUE(filter.AddColor(3));
  EXPECT_FALSE(filter.AddColor(3));
  EXPECT_EQ(filter.GetTypes(), (std::vector<std::string>{"TEXT", "lwpolyline"}));

  FcEntSelectFilter copy;
  copy.AddLayer("Walls");
  copy.CopyFrom(filter);
  EXPECT_TRUE(copy.GetLayers().empty());
  EXPECT_EQ(copy.GetTypes(), filter.GetTypes());
  EXPECT_EQ(copy.GetColors(), filter.GetColors());
  copy.CopyFrom(copy);
  EXPECT_EQ(copy.GetTypes(), filter.GetTypes());
}

class SelectConditionStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<QSettings> Store() const { return OpenSettingsStore(dir_.path() + "settings.ini"); }
  // The file as another run of the program would find it.
  FcEntSelectFilter Reloaded(const std::string& name) const {
    FcEntSelectFilter loaded;
    loaded.AddType("stale");
    EXPECT_TRUE(loaded.LoadFromRegistry(*Store(), name));
    return loaded;
  }

  TempDir dir_;
};

TEST_F(SelectConditionStoreTest, ASavedConditionReadsBackEqualAndASecondSaveReplacesIt) {
  FcEntSelectFilter filter;
  filter.AddType("polyline");
  filter.AddType("LINE");
  filter.AddLayer("0");
  filter.AddLayer("Walls, outer");
  filter.AddLayer("M\xe9tal");
  filter.AddLinetype("ByBlock");
  filter.AddColor(1);
  filter.AddColor(256);
  filter.AddColor(0);
  ASSERT_TRUE(filter.SaveToRegistry(*Store(), "Mine"));

  const FcEntSelectFilter loaded = Reloaded("Mine");
  EXPECT_EQ(loaded.GetTypes(), filter.GetTypes());
  EXPECT_EQ(loaded.GetLayers(), filter.GetLayers());
  EXPECT_EQ(loaded.GetLinetypes(), filter.GetLinetypes());
  EXPECT_EQ(loaded.GetColors(), filter.GetColors());

  FcEntSelectFilter shorter;
  shorter.AddLayer("Walls");
  ASSERT_TRUE(shorter.SaveToRegistry(*Store(), "Mine"));
  const FcEntSelectFilter replaced = Reloaded("Mine");
  EXPECT_TRUE(replaced.GetTypes().empty());
  EXPECT_EQ(replaced.GetLayers(), (std::vector<std::string>{"Walls"}));
  EXPECT_TRUE(replaced.GetColors().empty());

  const FcEntSelectFilter never = Reloaded("Never saved");
  EXPECT_TRUE(never.GetTypes().empty());
  EXPECT_TRUE(never.GetLayers().empty());
}

TEST_F(SelectConditionStoreTest, AListEndsAtItsFirstMissingOrUnusableEntry) {
  dir_.Write("settings.ini",
             "[SelectConditions]\n"
             "Hand\\Types\\type0=LINE\n"
             "Hand\\Types\\type1=\n"
             "Hand\\Types\\type2=ARC\n"
             "Hand\\Layers\\layer0=A\n"
             "Hand\\Layers\\layer2=C\n"
             "Hand\\Linetypes\\linetype0=" + std::string(513, 'x') + "\n"
             "Hand\\Colors\\color0=1\n"
             "Hand\\Colors\\color1=256\n"
             "Hand\\Colors\\color2=300\n"
             "Hand\\Colors\\color3=2\n"
             "Negative\\Colors\\color0=-1\n"
             "Negative\\Colors\\color1=5\n");
  const FcEntSelectFilter hand = Reloaded("Hand");
  EXPECT_EQ(hand.GetTypes(), (std::vector<std::string>{"LINE"}));
  EXPECT_EQ(hand.GetLayers(), (std::vector<std::string>{"A"}));
  EXPECT_TRUE(hand.GetLinetypes().empty());
  EXPECT_EQ(hand.GetColors(), (std::vector<std::int16_t>{1, 256}));
  EXPECT_TRUE(Reloaded("Negative").GetColors().empty());
}

TEST_F(SelectConditionStoreTest, ANameThatWouldReachOtherConditionsIsRefused) {
  FcEntSelectFilter kept;
  kept.AddType("LINE");
  ASSERT_TRUE(kept.SaveToRegistry(*Store(), "Kept"));
  FcEntSelectFilter other;
  other.AddType("ARC");
  for (const char* name : {"", "Kept/Types", "..\\Kept", "/"}) {
    EXPECT_FALSE(other.SaveToRegistry(*Store(), name)) << name;
    FcEntSelectFilter loaded;
    EXPECT_FALSE(loaded.LoadFromRegistry(*Store(), name)) << name;
  }
  EXPECT_EQ(Reloaded("Kept").GetTypes(), (std::vector<std::string>{"LINE"}));
}

}  // namespace
