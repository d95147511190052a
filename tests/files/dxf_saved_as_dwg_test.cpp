#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "database/dim_style.h"
#include "database/graph.h"
#include "database/linetype.h"
#include "files/drawing_file.h"
#include "tests/support/temp_dir.h"

// A DXF file that opens must save as DWG and open again: otherwise the
// drawing the user saved is lost on the next open. These files lack
// records the reader has to make, or order them as other writers do.

namespace {

std::string Groups(std::initializer_list<std::pair<int, std::string>> groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + "\n" + value + "\n";
  return text;
}

std::string Header(const std::string& variables) {
  return Groups({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}}) + variables +
         Groups({{0, "ENDSEC"}});
}

std::string Line(const std::string& handle, const std::string& layer, const std::string& linetype = "ByLayer") {
  return Groups({{0, "LINE"}, {5, handle}, {8, layer}, {6, linetype}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "4"},
                 {21, "3"}, {31, "0"}});
}

std::string Entities(const std::string& records) {
  return Groups({{0, "SECTION"}, {2, "ENTITIES"}}) + records + Groups({{0, "ENDSEC"}, {0, "EOF"}});
}

std::string LinetypeRecord(const std::string& handle, const std::string& name) {
  return Groups({{0, "LTYPE"}, {5, handle}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbLinetypeTableRecord"},
                 {2, name}, {70, "0"}, {3, ""}, {72, "65"}, {73, "0"}, {40, "0.0"}});
}

std::string LinetypeTable(const std::string& records) {
  return Groups({{0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LTYPE"}, {5, "5"}, {100, "AcDbSymbolTable"},
                 {70, "3"}}) +
         records + Groups({{0, "ENDTAB"}, {0, "ENDSEC"}});
}

// Opens the text, saves it as DWG and opens that into `again`.
void OpenAndSaveAsDwg(const std::string& text, FcGraph& graph, FcGraph& again) {
  std::uint8_t skipped = 0;
  ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped),
            FcOpenResult::kDone);
  const TempDir dir;
  const std::string path = dir.path() + "saved.dwg";
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kDwg, false, false), FcSaveResult::kDone);
  ASSERT_EQ(OpenDrawing(again, path, false, &skipped), FcOpenResult::kDone);
}

// A layer that only an entity names is made while the file is read; the
// Continuous linetype it takes was made then too, and is numbered again at
// the end of the read. The layer must not keep the old number.
TEST(DxfSavedAsDwgTest, LayerMadeForAnEntityKeepsContinuous) {
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"no tables", Header("") + Entities(Line("2A", "Walls"))},
      {"Continuous current", Header(Groups({{9, "$CELTYPE"}, {6, "Continuous"}})) + Entities(Line("2A", "Walls"))},
      {"table without Continuous",
       Header("") + LinetypeTable(LinetypeRecord("14", "ByLayer") + LinetypeRecord("15", "ByBlock")) +
           Entities(Line("2A", "Walls"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    FcGraph again;
    OpenAndSaveAsDwg(c.text, graph, again);
    const FcLayer* walls = again.GetLayerList().FindByName("Walls");
    ASSERT_NE(walls, nullptr);
    const FcLineType* linetype = walls->GetLinetype();
    EXPECT_TRUE(linetype == nullptr || linetype->GetName() == "Continuous");
  }
}

// Without a handle seed in the header, records made before the entities
// are read (layers, the dimension style, the application name) would take
// handles the entities then bring; the DWG file would hold two objects
// under one handle.
TEST(DxfSavedAsDwgTest, RecordsMadeWhileReadingTakeHandlesNoFileRecordUses) {
  constexpr int kLines = 0x30;
  std::string lines;
  for (int handle = 1; handle <= kLines; ++handle) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", handle);
    lines += Line(hex, "Walls");
  }
  FcGraph graph;
  FcGraph again;
  OpenAndSaveAsDwg(Header("") + Entities(lines), graph, again);
  EXPECT_EQ(again.GetBlockList().FindByName("*Model_Space")->GetEntities().GetCount(), kLines);
  EXPECT_NE(again.GetLayerList().FindByName("Walls"), nullptr);
  EXPECT_EQ(again.GetDimStyleList().GetCount(), 1);
}

// Other writers put ByBlock first, or leave a record out for the reader
// to make at the end of the table. The DWG control object names ByLayer
// and ByBlock apart from the other records, whatever their place.
TEST(DxfSavedAsDwgTest, ByLayerAndByBlockKeepTheirNamesWhereverTheTableHoldsThem) {
  const struct {
    const char* name;
    std::string table;
  } cases[] = {
      {"ByBlock first",
       LinetypeRecord("14", "ByBlock") + LinetypeRecord("15", "ByLayer") + LinetypeRecord("16", "Continuous")},
      {"ByBlock missing", LinetypeRecord("14", "Dots") + LinetypeRecord("15", "ByLayer") +
                              LinetypeRecord("16", "Continuous")},
      {"Continuous first",
       LinetypeRecord("14", "Continuous") + LinetypeRecord("15", "ByLayer") + LinetypeRecord("16", "ByBlock")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    FcGraph again;
    OpenAndSaveAsDwg(Header(Groups({{9, "$CELTYPE"}, {6, "ByBlock"}})) + LinetypeTable(c.table) +
                         Entities(Line("2A", "0", "ByBlock")),
                     graph, again);
    EXPECT_EQ(again.GetSysVars().celtype, "ByBlock");
    for (const char* name : {"ByLayer", "ByBlock", "Continuous"}) {
      const FcLineType* before = graph.GetLinetypeList().FindByName(name);
      const FcLineType* after = again.GetLinetypeList().FindByName(name);
      ASSERT_NE(after, nullptr) << name;
      EXPECT_EQ(after->GetHandle(), before->GetHandle()) << name;
    }
    EXPECT_EQ(again.GetLinetypeList().GetCount(), graph.GetLinetypeList().GetCount());
  }
}

}  // namespace
