#include <gtest/gtest.h>

#include "database/graph.h"
#include "database/graph_references.h"

namespace {

TEST(GraphReferencesTest, PurgeRemovesOnlyUnreferencedAnonymousBlocks) {
  FcGraph graph;
  FcBlockList& blocks = graph.GetBlockList();
  FcBlock* named = blocks.AddNew();
  named->SetName("Door");
  FcBlock* anonymous = blocks.AddAnonymousBlock();
  ASSERT_NE(anonymous, nullptr);
  const std::string anonymousName = anonymous->GetName();
  ASSERT_EQ(blocks.GetBlockCount(), 4);

  MarkReferences(graph, nullptr);
  EXPECT_FALSE(blocks.GetAt(0)->IsUnreferenced());
  EXPECT_TRUE(named->IsUnreferenced());
  PurgeAnonymousBlocks(graph);

  EXPECT_EQ(blocks.GetBlockCount(), 3);
  EXPECT_EQ(blocks.FindByName(anonymousName), nullptr);
  EXPECT_NE(blocks.FindByName("Door"), nullptr);
  EXPECT_NE(blocks.FindByName("*Model_Space"), nullptr);
  EXPECT_NE(blocks.FindByName("*Paper_Space"), nullptr);

  // A block whose mark was cleared stays; so do the spaces whatever their
  // marks say.
  named->SetUnreferenced(false);
  PurgeBlock(graph, named);
  blocks.GetAt(1)->SetUnreferenced(true);
  PurgeBlock(graph, blocks.GetAt(1));
  EXPECT_EQ(blocks.GetBlockCount(), 3);
  named->SetUnreferenced(true);
  PurgeBlock(graph, named);
  EXPECT_EQ(blocks.FindByName("Door"), nullptr);
}

}  // namespace
