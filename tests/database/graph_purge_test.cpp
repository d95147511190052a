#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/graph.h"
#include "database/graph_references.h"
#include "entities/line.h"

namespace {

class GraphPurgeTest : public testing::Test {
 protected:
  FcLine* AddLine() {
    auto* line = new FcLine;
    graph.AddEntity(line, false);
    return line;
  }

  FcGraph graph;
};

TEST_F(GraphPurgeTest, LayersInUseLayerZeroStay) {
  graph.FindOrCreateLayer("Used");
  graph.SetCurrentLayer("Used");
  AddLine();
  graph.FindOrCreateLayer("Empty");
  graph.SetCurrentLayer("Empty");
  FcLayerList& layers = graph.GetLayerList();

  for (const char* name : {"0", "Used", "Empty"}) graph.PurgeLayer(layers.FindByName(name));
  graph.PurgeLayer(nullptr);

  EXPECT_NE(layers.FindByName("0"), nullptr);
  EXPECT_NE(layers.FindByName("Used"), nullptr);
  EXPECT_EQ(layers.FindByName("Empty"), nullptr);
  // The first layer takes over; CLAYER is left to the caller.
  EXPECT_EQ(graph.GetCurrentLayer(), layers.GetAt(0));
  EXPECT_EQ(graph.GetSysVars().clayer, "Empty");
}

TEST_F(GraphPurgeTest, LinetypesInUseOrAlwaysKeptStay) {
  FcLinetypeList& linetypes = graph.GetLinetypeList();
  graph.FindOrCreateLayer("Dashed")->SetLinetype(graph.GetOrCreateLinetype("OnLayer"));
  AddLine()->SetLinetype(graph.GetOrCreateLinetype("OnEntity"));
  graph.GetOrCreateLinetype("Unused");
  graph.GetOrCreateLinetype("Current");
  graph.SetCurrentLinetype("Current");
  MarkReferences(graph, nullptr);
  for (const char* unused : {"ByLayer", "ByBlock", "Continuous"}) linetypes.FindByName(unused)->SetUnreferenced(true);

  struct Case {
    const char* name;
    bool stays;
  };
  const Case cases[] = {{"ByLayer", true}, {"ByBlock", true},  {"Continuous", true}, {"OnLayer", true},
                        {"OnEntity", true}, {"Unused", false}, {"Current", false}};
  for (const Case& c : cases) {
    FcLineType* record = linetypes.FindByName(c.name);
    ASSERT_NE(record, nullptr) << c.name;
    graph.PurgeLinetype(record);
    EXPECT_EQ(linetypes.FindByName(c.name) != nullptr, c.stays) << c.name;
  }
  // The first record is "ByLayer", which stands for a null current linetype.
  EXPECT_EQ(graph.GetCurrentLinetype(), nullptr);
}

TEST_F(GraphPurgeTest, TextStylesInUseAndStandardStay) {
  FcTextStyleList& styles = graph.GetTextStyleList();
  graph.FindOrCreateTextStyle("Used")->SetUnreferenced(false);
  graph.FindOrCreateTextStyle("Unused")->SetUnreferenced(true);
  graph.SetCurrentTextStyle("Unused");
  styles.Find("standard")->SetUnreferenced(true);

  for (const char* name : {"standard", "Used", "Unused"}) graph.PurgeTextStyle(styles.Find(name));

  EXPECT_NE(styles.Find("standard"), nullptr);
  EXPECT_NE(styles.Find("Used"), nullptr);
  EXPECT_EQ(styles.Find("Unused"), nullptr);
  EXPECT_EQ(graph.GetCurrentTextStyle(), styles.GetAt(0));
}

// Block references clear their block's mark when the references are marked;
// a block they reach is the one whose mark is clear.
TEST_F(GraphPurgeTest, ReferencedBlocksAndSpacesStay) {
  FcBlockList& blocks = graph.GetBlockList();
  for (const char* name : {"Referenced", "Unreferenced", "*Paper_Space7"}) {
    auto* block = new FcBlock;
    blocks.Add(block);
    block->SetName(name);
  }
  MarkReferences(graph, nullptr);
  blocks.FindByName("Referenced")->SetUnreferenced(false);
  blocks.FindByName("*Paper_Space7")->SetUnreferenced(true);
  blocks.FindByName("*Model_Space")->SetUnreferenced(true);

  for (const char* name : {"Referenced", "Unreferenced", "*Paper_Space7", "*Model_Space"}) {
    PurgeBlock(graph, blocks.FindByName(name));
  }

  EXPECT_NE(blocks.FindByName("Referenced"), nullptr);
  EXPECT_EQ(blocks.FindByName("Unreferenced"), nullptr);
  EXPECT_NE(blocks.FindByName("*Paper_Space7"), nullptr);
  EXPECT_NE(blocks.FindByName("*Model_Space"), nullptr);
}

}  // namespace
