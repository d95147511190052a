#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/document_opener.h"
#include "tests/support/command_script.h"
#include "tests/support/program_settings_guard.h"
#include "tests/support/temp_dir.h"

namespace {

struct Opened {
  DocumentKind kind;
  std::string address;
  bool operator==(const Opened&) const = default;
};

// Stands in for the desktop: keeps what it was asked to open and answers
// as the test says.
class HelpCommandTest : public CommandScriptTest {
 protected:
  HelpCommandTest() {
    SetDocumentOpener([this](DocumentKind kind, const std::string& address) {
      opened_.push_back({kind, address});
      return desktopTakesIt_;
    });
  }
  ~HelpCommandTest() override { SetDocumentOpener({}); }

  std::vector<RecordingFrameLink::Call> MessageBoxes() {
    std::vector<RecordingFrameLink::Call> boxes;
    for (const RecordingFrameLink::Call& call : script_.Printed().Calls())
      if (call.message == FrameMessage::kMessageBox) boxes.push_back(call);
    return boxes;
  }

  ProgramSettingsGuard settings_;
  TempDir dir_;
  std::vector<Opened> opened_;
  bool desktopTakesIt_ = true;
};

TEST_F(HelpCommandTest, HelpOpensTheFirstHelpFileAlongTheSearchPath) {
  dir_.Write("docs/Kovra.CHM");
  dir_.Write("later/kovra.chm");
  GetProgramSettings().search_path = dir_.path() + "empty;" + dir_.path() + "docs;" + dir_.path() + "later";
  ASSERT_TRUE(RunScript(script_, "Help", {}));
  EXPECT_EQ(opened_, (std::vector<Opened>{{DocumentKind::kLocalFile, dir_.path() + "docs/Kovra.CHM"}}));
  EXPECT_TRUE(MessageBoxes().empty());
  EXPECT_TRUE(Printed().empty());
}

TEST_F(HelpCommandTest, HelpWithoutAHelpFileSaysSoInABox) {
  GetProgramSettings().search_path = dir_.path();
  ASSERT_TRUE(RunScript(script_, "Help", {}));
  EXPECT_TRUE(opened_.empty());
  const std::vector<RecordingFrameLink::Call> boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Can't find help file: kovra.chm !");
}

TEST_F(HelpCommandTest, HomepageAsksForTheWebAddressAndReportsARefusal) {
  ASSERT_TRUE(RunScript(script_, "Homepage", {}));
  desktopTakesIt_ = false;
  ASSERT_TRUE(RunScript(script_, "Homepage", {}));
  const Opened homepage{DocumentKind::kWebAddress, "https://www.kovra.example/"};
  EXPECT_EQ(opened_, (std::vector<Opened>{homepage, homepage}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"Can't open the home page: https://www.kovra.example/ !"});
}

}  // namespace
