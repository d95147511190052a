#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/drawing_file.h"
#include "platform/program_settings.h"
#include "platform/recording_frame_link.h"
#include "tests/support/drawing_file_support.h"
#include "tests/support/temp_dir.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int FilesIn(const std::string& directory) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(directory), {}));
}

TEST(DrawingSaveTest, SavingOverADrawingKeepsTheOldBytesAsBackup) {
  TempDir dir;
  const std::string path = dir.path() + "plan.dxf";
  FcGraph graph;
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kAsciiDxf, true, false), FcSaveResult::kDone);
  const std::string first = Contents(path);

  FillTestDrawing(graph);
  graph.GetSysVars().Modified = 1;
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kAsciiDxf, true, false), FcSaveResult::kDone);

  EXPECT_EQ(Contents(dir.path() + "plan.bak"), first);
  EXPECT_NE(Contents(path), first);
  EXPECT_EQ(graph.GetSysVars().Modified, 0);
  EXPECT_EQ(graph.GetSysVars().dwgname.str(), "plan.dxf");
  EXPECT_EQ(graph.GetSysVars().dwgprefix.str(), dir.path());
  EXPECT_EQ(graph.GetSysVars().dwgtitled, 1);
  EXPECT_EQ(FilesIn(dir.path()), 2);

  // What was saved opens again as the same drawing.
  FcGraph reopened;
  std::uint8_t skipped = 1;
  ASSERT_EQ(OpenDrawing(reopened, path, false, &skipped), FcOpenResult::kDone);
  EXPECT_EQ(FirstDifference(AsciiDxfWithoutSeed(reopened), AsciiDxfWithoutSeed(graph)), "");
  EXPECT_EQ(reopened.GetFileKind(), FcFileKind::kAsciiDxf);
}

TEST(DrawingSaveTest, SavingToANewPathMakesNoBackup) {
  TempDir dir;
  FcGraph graph;
  const int saved = GetProgramSettings().save_backup;
  GetProgramSettings().save_backup = 1;
  EXPECT_EQ(SaveDrawing(graph, dir.path() + "new.dxf", FcFileKind::kBinaryDxf, false, false), FcSaveResult::kDone);
  GetProgramSettings().save_backup = saved;
  EXPECT_EQ(FilesIn(dir.path()), 1);
  EXPECT_EQ(graph.GetFileKind(), FcFileKind::kBinaryDxf);
}

TEST(DrawingSaveTest, DxfOfADwgDrawingIsBinaryAndShowsProgress) {
  TempDir dir;
  FcGraph graph;
  FillTestDrawing(graph);
  ASSERT_EQ(graph.GetFileKind(), FcFileKind::kDwg);
  RecordingFrameLink link;
  SetFrameLink(&link);
  const FcSaveResult result = WriteDxf(graph, dir.path() + "out.dxf", false);
  SetFrameLink(nullptr);
  ASSERT_EQ(result, FcSaveResult::kDone);
  EXPECT_EQ(graph.GetFileKind(), FcFileKind::kBinaryDxf);
  EXPECT_EQ(Contents(dir.path() + "out.dxf").substr(0, 18), "AutoCAD Binary DXF");

  const std::vector<RecordingFrameLink::Call> calls = link.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front().message, FrameMessage::kProgressStart);
  EXPECT_EQ(calls.front().text, "Saving file...");
  EXPECT_EQ(calls.back().message, FrameMessage::kProgressEnd);
  int previous = 0;
  int steps = 0;
  for (const RecordingFrameLink::Call& call : calls) {
    if (call.message != FrameMessage::kProgressPosition) continue;
    EXPECT_GE(call.percent, previous);
    EXPECT_LE(call.percent, 100);
    previous = call.percent;
    ++steps;
  }
  EXPECT_LE(steps, 77);
}

// Writes may stop for want of room: the file-size limit makes every write
// past a size fail, also for root.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST(DrawingSaveTest, FailedSaveLeavesTheFileAndTheDrawingAsTheyWere) {
  TempDir dir;
  const std::string path = dir.path() + "plan.dxf";
  FcGraph graph;
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  const std::string before = Contents(path);
  for (int i = 0; i < 200; ++i) AddTestLine(graph, {0, 0}, {static_cast<double>(i), 1});
  graph.GetSysVars().Modified = 1;
  graph.GetSysVars().SetDwgName("old.dwg");

  struct Case {
    const char* name;
    std::string path;
    FcFileKind kind;
    rlim_t limit;
  } cases[] = {
      {"write stops part-way", path, FcFileKind::kAsciiDxf, before.size() + 100},
      {"binary write stops part-way", path, FcFileKind::kBinaryDxf, before.size() / 2},
      {"folder is a file", path + "/inside.dxf", FcFileKind::kAsciiDxf, RLIM_INFINITY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcSaveResult result = FcSaveResult::kDone;
    {
      const FileSizeLimit limit(c.limit);
      result = SaveDrawing(graph, c.path, c.kind, false, false);
    }
    EXPECT_NE(result, FcSaveResult::kDone);
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(FilesIn(dir.path()), 1);
    EXPECT_EQ(graph.GetSysVars().Modified, 1);
    EXPECT_EQ(graph.GetSysVars().dwgname.str(), "old.dwg");
    EXPECT_EQ(graph.GetFileKind(), FcFileKind::kAsciiDxf);
  }
}

TEST(DrawingSaveTest, OpeningAMissingFileLeavesTheDrawing) {
  TempDir dir;
  FcGraph graph;
  FillTestDrawing(graph);
  const std::string before = AsciiDxfOf(graph);
  std::uint8_t skipped = 0;
  EXPECT_EQ(OpenDrawing(graph, dir.path() + "absent.dxf", false, &skipped), FcOpenResult::kCannotOpen);
  EXPECT_EQ(AsciiDxfOf(graph), before);
}

TEST(DrawingSaveTest, TemplateKeepsTheDrawingsNameAndFallsBackToDefaults) {
  TempDir dir;
  FcGraph source;
  FillTestDrawing(source);
  const std::string templatePath = dir.path() + "start.dxf";
  ASSERT_EQ(SaveDrawing(source, templatePath, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  const std::string brokenPath = dir.Write("broken.dxf", "0\r\nSECTION\r\n2\r\nENTITIES\r\n");

  for (const bool broken : {false, true}) {
    SCOPED_TRACE(broken ? "broken template" : "template");
    FcGraph graph;
    graph.GetSysVars().SetDwgName("Untitled.dwg");
    graph.GetSysVars().Modified = 5;
    std::uint8_t skipped = 0;
    const FcOpenResult result = OpenDrawing(graph, broken ? brokenPath : templatePath, true, &skipped);
    EXPECT_EQ(result == FcOpenResult::kDone, !broken);
    EXPECT_EQ(graph.GetSysVars().dwgname.str(), "Untitled.dwg");
    EXPECT_EQ(graph.GetSysVars().Modified, 1);
    EXPECT_EQ(graph.GetLayerList().FindByName("Walls") != nullptr, !broken);
    EXPECT_NE(graph.GetLayerList().FindByName("0"), nullptr);
  }
}

}  // namespace
