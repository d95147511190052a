#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/graph.h"
#include "files/drawing_file.h"
#include "tests/support/drawing_file_support.h"

namespace {

std::string Group(int code, const std::string& value) { return std::to_string(code) + "\r\n" + value + "\r\n"; }

std::string LineWithHandle(const std::string& handle) {
  return Group(0, "LINE") + Group(5, handle) + Group(100, "AcDbEntity") + Group(8, "0") + Group(100, "AcDbLine") +
         Group(10, "1") + Group(20, "2") + Group(11, "3") + Group(21, "4");
}

// A damaged file gives two records one handle. Handles close together and
// handles far apart (up to the largest there is) are checked in different
// ways, so both kinds are read.
TEST(DxfUniqueHandlesTest, TwoRecordsWithOneHandleFailTheRead) {
  struct Case {
    const char* first;
    const char* second;
    FcOpenResult result;
  };
  const Case cases[] = {{"2A", "2B", FcOpenResult::kDone},
                        {"2A", "2A", FcOpenResult::kReadError},
                        {"2A", "FFFFFFFFFFFF", FcOpenResult::kDone},
                        {"FFFFFFFFFFFF", "FFFFFFFFFFFF", FcOpenResult::kReadError},
                        {"FFFFFFFEFFFFFFFF", "FFFFFFFEFFFFFFFE", FcOpenResult::kDone},
                        {"FFFFFFFEFFFFFFFF", "FFFFFFFEFFFFFFFF", FcOpenResult::kReadError}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " " + c.second);
    const std::string text = Group(0, "SECTION") + Group(2, "HEADER") + Group(9, "$ACADVER") + Group(1, "AC1014") +
                             Group(0, "ENDSEC") + Group(0, "SECTION") + Group(2, "ENTITIES") +
                             LineWithHandle(c.first) + LineWithHandle(c.second) + Group(0, "ENDSEC") + Group(0, "EOF");
    FcGraph graph;
    std::uint8_t skipped = 0;
    EXPECT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped), c.result);
  }
}

// New objects take handles from the seed past the file's largest handle. A
// file whose handles (or header seed) leave no room before the end of the
// handle range is refused: reading it would hand out handles already in use
// and, past the end, handle 0.
TEST(DxfUniqueHandlesTest, HandlesThatLeaveTheSeedNoRoomFailTheRead) {
  struct Case {
    const char* handle;
    const char* seed;
    FcOpenResult result;
  };
  const Case cases[] = {{"2A", "2B", FcOpenResult::kDone},
                        {"FFFFFFFEFFFFFFFF", "2B", FcOpenResult::kDone},
                        {"FFFFFFFFFFFFFFFE", "2B", FcOpenResult::kReadError},
                        {"FFFFFFFFFFFFFFFF", "2B", FcOpenResult::kReadError},
                        {"2A", "FFFFFFFFFFFFFFFF", FcOpenResult::kReadError}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.handle) + " seed " + c.seed);
    const std::string text = Group(0, "SECTION") + Group(2, "HEADER") + Group(9, "$ACADVER") + Group(1, "AC1014") +
                             Group(9, "$HANDSEED") + Group(5, c.seed) + Group(0, "ENDSEC") + Group(0, "SECTION") +
                             Group(2, "ENTITIES") + LineWithHandle(c.handle) + Group(0, "ENDSEC") + Group(0, "EOF");
    FcGraph graph;
    std::uint8_t skipped = 0;
    ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped), c.result);
    if (c.result != FcOpenResult::kDone) continue;
    // Every handle handed out afterwards is new.
    const FcHandle read = std::stoull(c.handle, nullptr, 16);
    FcLine* line = AddTestLine(graph, {0, 0}, {1, 1});
    EXPECT_GT(line->GetHandle(), read);
  }
}

// A table shares the handle space with every record: a DWG file written
// from a drawing whose two tables have one handle could not be read again.
TEST(DxfUniqueHandlesTest, TwoTablesWithOneHandleFailTheRead) {
  const auto table = [](const std::string& name, const std::string& handle) {
    return Group(0, "TABLE") + Group(2, name) + Group(5, handle) + Group(100, "AcDbSymbolTable") + Group(70, "0") +
           Group(0, "ENDTAB");
  };
  const struct {
    const char* vport;
    const char* ucs;
    FcOpenResult result;
  } cases[] = {{"8", "9", FcOpenResult::kDone}, {"8", "8", FcOpenResult::kReadError}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.vport) + " " + c.ucs);
    const std::string text = Group(0, "SECTION") + Group(2, "HEADER") + Group(9, "$ACADVER") + Group(1, "AC1015") +
                             Group(0, "ENDSEC") + Group(0, "SECTION") + Group(2, "TABLES") + table("VPORT", c.vport) +
                             table("UCS", c.ucs) + Group(0, "ENDSEC") + Group(0, "SECTION") + Group(2, "ENTITIES") +
                             LineWithHandle("2A") + Group(0, "ENDSEC") + Group(0, "EOF");
    FcGraph graph;
    std::uint8_t skipped = 0;
    EXPECT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped), c.result);
  }
}

}  // namespace
