#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/block_markers.h"
#include "database/graph.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "files/attribute_export.h"
#include "platform/frame_link.h"
#include "platform/recording_frame_link.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(AttributeExportTest, TemplateLinesGiveColumnsOrAreRefused) {
  struct Case {
    const char* line;
    bool parsed;
    int kind = 0;
    bool numeric = false;
    int width = 0;
    int decimals = 0;
  };
  const Case cases[] = {
      {"BL:NAME C008000", true, 1, false, 8, 0},
      {"BL:X N010003", true, 5, true, 10, 3},
      {"bl:name   c012000 anything after", true, 1, false, 12, 0},
      {"TAG1 N005000", true, 0, true, 5, 0},
      {"TAG1 C005000", true, 0, false, 5, 0},
      {"BL:WIDTH N005000", true, 0, true, 5, 0},
      {"BL:X C010003", false},
      {"BL:LAYER N010000", false},
      {"BL:WIDTH C005000", false},
      {" TAG1 C005000", false},
      {"TAG1", false},
      {"TAG1 C05000", false},
      {"TAG1 X005000", false},
      {"TAG1 C0a5000", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    FcAttiField field;
    ASSERT_EQ(field.Parse(c.line), c.parsed);
    if (!c.parsed) continue;
    EXPECT_EQ(field.kind, c.kind);
    EXPECT_EQ(field.numeric, c.numeric);
    EXPECT_EQ(field.width, c.width);
    EXPECT_EQ(field.decimals, c.decimals);
  }
}

class AttributeExtractionTest : public ::testing::Test {
 protected:
  AttributeExtractionTest() { SetFrameLink(&frame); }
  ~AttributeExtractionTest() override { SetFrameLink(nullptr); }

  std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = folder.path() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  FcBlock* MakeBlock(const char* name) {
    FcBlock* block = graph.GetBlockList().AddNew();
    block->SetName(name);
    return block;
  }

  // A reference followed by its attributes, in model space or in a block.
  FcInsert* AddReference(const char* name, FcPoint2d at, std::vector<std::pair<std::string, std::string>> values,
                         FcBlock* owner = nullptr) {
    auto* insert = new FcInsert;
    std::vector<FcEntity*> entities{insert};
    for (const auto& [tag, value] : values) {
      auto* attribute = new FcAttribute;
      attribute->SetTag(tag);
      attribute->SetText(value);
      entities.push_back(attribute);
    }
    entities.push_back(new FcSeqend);
    insert->SetEntitiesFollow(1);
    for (FcEntity* entity : entities) {
      if (owner == nullptr) {
        graph.AddEntity(entity, false);
      } else {
        graph.TakeHandle(*entity);
        entity->SetLayer(graph.GetCurrentLayer());
        entity->SetBlock(owner);
      }
    }
    insert->SetBlockName(name);
    insert->SetInsertionPoint(at);
    return insert;
  }

  // The lines extracted from model space with the template, in the form.
  std::string Extract(const std::string& templateText, char separator, int* records = nullptr) {
    const std::string output = folder.path() + "out.txt";
    {
      FcAttiExport exporter;
      if (!exporter.LoadTemplate(WriteFile("fields.txt", templateText))) return "refused";
      if (!exporter.CreateOutputFile(output)) return "no output";
      exporter.SetSeparator(separator);
      const int written = ExtractAttributes(*graph.GetCurrentEntitySet(), 1, FcMatrix2d{}, exporter);
      if (records != nullptr) *records = written;
    }
    return ReadFile(output);
  }

  RecordingFrameLink frame;
  TempDir folder;
  FcGraph graph;
};

TEST_F(AttributeExtractionTest, LinesInBothFormsHoldTheTemplatesColumns) {
  MakeBlock("DOOR");
  AddReference("DOOR", {12.5, 3}, {{"TAG1", "A1"}, {"WIDTH", "wide"}});
  // No attribute matches a column: no line.
  AddReference("DOOR", {0, 0}, {{"OTHER", "x"}});
  const std::string columns = "BL:NAME C003000\nTAG1 C010000\nBL:X N008002\nWIDTH N004000\n";
  int records = 0;
  EXPECT_EQ(Extract(columns, ',', &records), "'DOO','A1',12.50,0\r\n");
  EXPECT_EQ(records, 1);
  EXPECT_EQ(Extract(columns, ' '), "DOOA1           12.50   0\r\n");
}

TEST_F(AttributeExtractionTest, NestedReferencesReportTheirLevelAndOuterPoint) {
  FcBlock* outer = MakeBlock("OUTER");
  MakeBlock("DOOR");
  AddReference("DOOR", {1, 0}, {{"TAG1", "inner"}}, outer);
  AddReference("OUTER", {10, 5}, {{"TAG1", "outer"}});
  EXPECT_EQ(Extract("TAG1 C008000\nBL:LEVEL N002000\nBL:X N005001\nBL:Y N005001\n", ','),
            "'outer',1,10.0,5.0\r\n'inner',2,11.0,5.0\r\n");
}

TEST_F(AttributeExtractionTest, BadTemplatesAreRefusedWithTheirMessage) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<std::string> printed;
  };
  const Case cases[] = {
      {"block columns only", "BL:NAME C008000\nBL:X N008002\n", {"There isn't any attribute field!"}},
      {"no lines", "", {"No field was defined!"}},
      {"an empty line between", "TAG1 C008000\n\nBL:X N008002\n", {}},
      {"an unknown block column as characters", "TAG1 C008000\nBL:WIDTH C005000\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frame.Clear();
    EXPECT_EQ(Extract(c.text, ','), "refused");
    EXPECT_EQ(frame.HistoryLines(), c.printed);
  }
  frame.Clear();
  FcAttiExport exporter;
  EXPECT_FALSE(exporter.LoadTemplate(folder.path() + "missing.txt"));
  EXPECT_EQ(frame.HistoryLines(),
            std::vector<std::string>{"Can't open the field definition file! Perhaps the file is locked by other "
                                     "application or file doesn't exist!"});
}

}  // namespace
