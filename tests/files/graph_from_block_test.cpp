#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/text_style.h"
#include "entities/insert.h"
#include "entities/line.h"
#include "entities/raster_image.h"
#include "entities/text.h"
#include "files/graph_insert.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/point_expect.h"

namespace {

class GraphFromBlockTest : public ::testing::Test {
 protected:
  FcBlock* MakeBlock(const char* name) {
    FcBlock* block = source_.GetBlockList().AddNew();
    block->SetName(name);
    return block;
  }

  template <typename Entity>
  Entity* AddTo(FcBlock* block, Entity* entity) {
    source_.TakeHandle(*entity);
    entity->SetLayer(source_.GetCurrentLayer());
    EXPECT_TRUE(block->AddEntity(entity));
    return entity;
  }

  FcGraph source_;
};

// The new drawing takes what the block uses and leaves the rest of the
// source's tables behind.
TEST_F(GraphFromBlockTest, TheNewDrawingHoldsOnlyWhatTheBlockUses) {
  FcTextStyle* used = source_.GetTextStyleList().CreateStyle();
  used->SetName("Used");
  source_.GetTextStyleList().CreateStyle()->SetName("Unused");
  FcLineType* dashed = source_.GetOrCreateLinetype("Dashed");
  source_.GetOrCreateLinetype("Dotted");
  FcLineType* hidden = source_.GetOrCreateLinetype("Hidden");
  // A layer is kept while it holds entities, and its linetype with it.
  FcLayer* doors = source_.FindOrCreateLayer("Doors");
  doors->SetLinetypeHandle(hidden->GetHandle());
  source_.FindOrCreateLayer("Empty");
  source_.SetCurrentLayer("Doors");
  AddTestLine(source_, {0, 0}, {1, 0});
  source_.SetCurrentLayer("0");
  FcRasterImageDef* swatch = AddTestImageDef(source_);
  auto* spare = new FcRasterImageDef;
  source_.TakeHandle(*spare);
  dynamic_cast<FcDictionary*>(source_.GetNamedObjects().GetAt(kImageDictionaryName))->SetAt("spare", spare);

  FcBlock* inner = MakeBlock("INNER");
  AddTo(inner, new FcLine);
  MakeBlock("OTHER");
  FcBlock* part = MakeBlock("PART");
  part->SetBasePoint({3, 4});
  AddTo(part, new FcText)->SetStyle(used);
  AddTo(part, new FcLine)->SetLinetype(dashed);
  AddTo(part, new FcInsert)->SetBlockName("INNER");
  AddTo(part, new FcRasterImage)->SetImageDef(swatch);

  const std::unique_ptr<FcGraph> drawing = CreateFromBlock(source_, *part);
  ASSERT_NE(drawing, nullptr);
  struct Expected {
    const char* name;
    bool kept;
    bool present;
  };
  const Expected records[] = {
      {"style Used", true, drawing->GetTextStyleList().Find("Used") != nullptr},
      {"style Unused", false, drawing->GetTextStyleList().Find("Unused") != nullptr},
      {"linetype Dashed", true, drawing->GetLinetypeList().FindByName("Dashed") != nullptr},
      {"linetype Dotted", false, drawing->GetLinetypeList().FindByName("Dotted") != nullptr},
      {"linetype Hidden", true, drawing->GetLinetypeList().FindByName("Hidden") != nullptr},
      {"layer Doors", true, drawing->GetLayerList().FindByName("Doors") != nullptr},
      {"layer Empty", false, drawing->GetLayerList().FindByName("Empty") != nullptr},
      {"block INNER", true, drawing->GetBlockList().FindByName("INNER") != nullptr},
      {"block OTHER", false, drawing->GetBlockList().FindByName("OTHER") != nullptr},
      {"block PART", false, drawing->GetBlockList().FindByName("PART") != nullptr},
  };
  for (const Expected& record : records) EXPECT_EQ(record.present, record.kept) << record.name;
  const FcLayer* copiedDoors = drawing->GetLayerList().FindByName("Doors");
  const FcLineType* copiedHidden = drawing->GetLinetypeList().FindByName("Hidden");
  ASSERT_NE(copiedDoors, nullptr);
  ASSERT_NE(copiedHidden, nullptr);
  EXPECT_EQ(copiedDoors->GetLinetypeHandle(), copiedHidden->GetHandle());

  const auto* images = dynamic_cast<const FcDictionary*>(drawing->GetNamedObjects().GetAt(kImageDictionaryName));
  ASSERT_NE(images, nullptr);
  EXPECT_NE(images->GetAt("swatch"), nullptr);
  EXPECT_EQ(images->GetAt("spare"), nullptr);

  std::vector<std::string> kinds;
  const FcBlock* modelSpace = drawing->GetBlockList().FindByName("*Model_Space");
  ASSERT_NE(modelSpace, nullptr);
  for (const FcEntity* entity : modelSpace->GetEntities()) kinds.push_back(entity->GetRecordName());
  EXPECT_EQ(kinds, (std::vector<std::string>{"TEXT", "LINE", "INSERT", "IMAGE"}));
  ExpectPointNear(drawing->GetSysVars().insbase, {3, 4}, 1e-12);
}

}  // namespace
