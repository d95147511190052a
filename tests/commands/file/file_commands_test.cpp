#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "commands/file/file_commands.h"
#include "database/graph.h"
#include "shell/application_link.h"
#include "tests/support/command_script.h"
#include "tests/support/temp_dir.h"

namespace {

// Records what the commands ask of the windows; the save target is the
// test's script. Asked from the window thread and the command thread.
class RecordingApplicationLink : public ApplicationLink {
 public:
  RecordingApplicationLink() { SetApplicationLink(this); }
  ~RecordingApplicationLink() override { SetApplicationLink(nullptr); }

  void PostNewDrawing() override { Record("new"); }
  void PostOpenDrawing() override { Record("open"); }
  void PostQuit() override { Record("quit"); }
  void PostMenuLoad() override { Record("menuload"); }
  SaveTarget ChooseSaveTarget(const std::string& proposal, FcFileKind currentKind) override {
    std::lock_guard lock(mutex_);
    calls_.push_back("choose");
    proposals_.push_back(proposal);
    offeredKinds_.push_back(currentKind);
    return target;
  }

  std::vector<std::string> Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  std::vector<std::string> Proposals() {
    std::lock_guard lock(mutex_);
    return proposals_;
  }
  std::vector<FcFileKind> OfferedKinds() {
    std::lock_guard lock(mutex_);
    return offeredKinds_;
  }

  SaveTarget target;

 private:
  void Record(const char* call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(call);
  }

  std::mutex mutex_;
  std::vector<std::string> calls_;
  std::vector<std::string> proposals_;
  std::vector<FcFileKind> offeredKinds_;
};

std::string Head(const std::string& path, std::size_t bytes) {
  std::ifstream file(path, std::ios::binary);
  std::string head(bytes, '\0');
  file.read(head.data(), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<std::size_t>(file.gcount()));
  return head;
}

class FileCommandsTest : public CommandScriptTest {
 protected:
  struct Identity {
    std::string name;
    std::string prefix;
    short titled = 0;
    short modified = 0;
    FcFileKind kind = FcFileKind::kDwg;
  };

  Identity Drawing() {
    return script_.OnWindowThread([this] {
      const FcSystemVar& vars = script_.Drawing().GetSysVars();
      return Identity{vars.dwgname.str(), vars.dwgprefix.str(), vars.dwgtitled, vars.Modified,
                      script_.Drawing().GetFileKind()};
    });
  }
  void MarkModified() {
    script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().Modified = 1; });
  }

  TempDir dir_;
  RecordingApplicationLink link_;
};

// The application commands run on the window thread and only hand their
// work to the frame, whatever name or menu macro starts them.
TEST_F(FileCommandsTest, ApplicationCommandsHandTheirWorkToTheFrame) {
  const struct {
    const char* typed;
    const char* call;
  } cases[] = {{"new", "new"}, {"OPEN", "open"}, {"_quit", "quit"}, {"menuload", "menuload"}};
  std::vector<std::string> expected;
  for (const auto& entry : cases) {
    ASSERT_TRUE(script_.Run({entry.typed})) << entry.typed;
    expected.push_back(entry.call);
  }
  script_.RunMacro("^C^C_new");
  ASSERT_TRUE(script_.WaitUntilIdle());
  expected.push_back("new");
  EXPECT_EQ(link_.Calls(), expected);
  EXPECT_TRUE(Printed().empty()) << LastPrinted();
}

// Save always asks; the kind chosen in the dialog decides the writer, and
// the drawing takes the file's name. QSave then writes there in that kind
// without asking.
TEST_F(FileCommandsTest, SaveAsksAndQSaveWritesBackInTheSameKind) {
  const std::string path = dir_.path() + "plan.dxf";
  link_.target = {path, FcFileKind::kBinaryDxf};
  MarkModified();
  ASSERT_TRUE(script_.Run({"saveas"}));
  EXPECT_EQ(link_.OfferedKinds(), std::vector<FcFileKind>{FcFileKind::kDwg});
  Identity saved = Drawing();
  EXPECT_EQ(saved.name, "plan.dxf");
  EXPECT_EQ(saved.prefix, dir_.path());
  EXPECT_EQ(saved.titled, 1);
  EXPECT_EQ(saved.modified, 0);
  EXPECT_EQ(saved.kind, FcFileKind::kBinaryDxf);
  EXPECT_NE(Head(path, 22).find("Binary DXF"), std::string::npos);

  std::filesystem::remove(path);
  MarkModified();
  ASSERT_TRUE(script_.Run({"qsave"}));
  EXPECT_EQ(link_.Calls().size(), 1u) << "QSave asked for a file";
  EXPECT_NE(Head(path, 22).find("Binary DXF"), std::string::npos);
  EXPECT_EQ(Drawing().modified, 0);

  // Save asks even for a drawing that has its file, offering it as a
  // drawing file of the same name.
  link_.target = {dir_.path() + "plan.dwg", FcFileKind::kDwg};
  ASSERT_TRUE(script_.Run({"save"}));
  EXPECT_EQ(link_.OfferedKinds().back(), FcFileKind::kBinaryDxf);
  EXPECT_EQ(link_.Proposals(), (std::vector<std::string>{"", dir_.path() + "plan.dwg"}));
  EXPECT_EQ(Drawing().name, "plan.dwg");
  EXPECT_EQ(Drawing().kind, FcFileKind::kDwg);
  ASSERT_TRUE(script_.Run({"saveas"}));
  EXPECT_EQ(link_.Proposals().back(), dir_.path() + "plan.dwg");
  EXPECT_TRUE(Printed().empty()) << LastPrinted();
}

// A cancelled dialog changes nothing; a file that cannot be written is
// reported and the drawing keeps its name and its unsaved state.
TEST_F(FileCommandsTest, CancelledOrFailedSaveKeepsTheDrawingAsItWas) {
  MarkModified();
  link_.target = {};
  ASSERT_TRUE(script_.Run({"qsave"}));
  EXPECT_EQ(link_.Calls(), std::vector<std::string>{"choose"}) << "an untitled drawing is asked for";
  Identity cancelled = Drawing();
  EXPECT_EQ(cancelled.titled, 0);
  EXPECT_EQ(cancelled.modified, 1);
  EXPECT_EQ(cancelled.kind, FcFileKind::kDwg);
  EXPECT_TRUE(Printed().empty());

  link_.target = {dir_.path() + "missing/folder/plan.dxf", FcFileKind::kAsciiDxf};
  ASSERT_TRUE(script_.Run({"save"}));
  EXPECT_EQ(LastPrinted(), "Save Error! Perhaps the file is used by other application!");
  Identity failed = Drawing();
  EXPECT_EQ(failed.titled, 0);
  EXPECT_EQ(failed.modified, 1);
  EXPECT_EQ(failed.kind, FcFileKind::kAsciiDxf) << "the chosen kind stays";
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "missing"));
}

TEST(SaveFailureMessage, NamesTheWritersCode) {
  EXPECT_EQ(SaveFailureMessage(0, true), "");
  EXPECT_EQ(SaveFailureMessage(102, true), "Save Error! Error Code: 102.");
  EXPECT_EQ(SaveFailureMessage(102, false), "Save Error! Error Code: 102");
}

// Close only asks the window to close; the save question is the window's.
TEST_F(FileCommandsTest, CloseAsksTheWindowToClose) {
  MarkModified();
  ASSERT_TRUE(script_.Run({"close"}));
  EXPECT_EQ(script_.Frame().CloseRequests(), 1);
  EXPECT_EQ(Drawing().modified, 1);
  EXPECT_TRUE(link_.Calls().empty());
}

}  // namespace
