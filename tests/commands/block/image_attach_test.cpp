#include <algorithm>
#include <string>
#include <vector>

#include "files/drawing_file.h"
#include "tests/support/run_command.h"
#include "tests/support/image_command_test.h"

namespace {

using ImageAttachTest = ImageCommandTest;

TEST_F(ImageAttachTest, TheLongerSideOfThePictureMeasuresTheScaleAndUndoTakesBackImageAndDefinition) {
  AttachFromBox(WriteBlankBmp(temp_.path() + "site.bmp", 400, 200), 3.0, 4.0, 10.0);
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  for (const std::string& prompt : script_.Frame().Prompts()) EXPECT_EQ(prompt.find("Specify"), std::string::npos);
  EXPECT_EQ(Printed(), std::vector<std::string>{"Base image size: Width: 1.0000, Height: 0.5000"});
  std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 1u);
  ExpectPointEq(images[0].insertion, {3.0, 4.0});
  ExpectPointEq(images[0].u, {0.025, 0.0});
  ExpectPointEq(images[0].v, {0.0, 0.025});
  EXPECT_TRUE(images[0].bound);
  EXPECT_EQ(ImageNames(), std::vector<std::string>{"site"});
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"ImageAttach"});

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(Images().empty());
  EXPECT_TRUE(ImageNames().empty());
  ASSERT_TRUE(script_.Run({"redo"}));
  images = Images();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_TRUE(images[0].bound);
  EXPECT_EQ(ImageNames(), std::vector<std::string>{"site"});
}

TEST_F(ImageAttachTest, TheScreenGivesPointScaleAndAngleAndAScaleOfZeroIsAskedAgain) {
  PickFile(WriteBlankBmp(temp_.path() + "site.bmp", 400, 200));
  AnswerAttach([](CImgAttachDlg& dialog) {
    dialog.m_bPointOnScreen = 1;
    dialog.m_bScaleOnScreen = 1;
    dialog.m_bRotationOnScreen = 1;
  });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {"", "0", "10", "90"}));
  const std::vector<std::string> prompts = script_.Frame().Prompts();
  for (const char* prompt :
       {"Specify insertion point <0,0>", "Specify scale factor <1>", "Specify rotation angle <0>"}) {
    EXPECT_NE(std::find(prompts.begin(), prompts.end(), prompt), prompts.end()) << prompt;
  }
  const std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 1u);
  ExpectPointEq(images[0].insertion, {0.0, 0.0});
  ExpectPointNear(images[0].u, {0.0, 0.025}, 1e-12);
  ExpectPointNear(images[0].v, {-0.025, 0.0}, 1e-12);
}

TEST_F(ImageAttachTest, AnAttachedImageIsSavedAndReadBackWithItsDefinition) {
  AttachFromBox(WriteBlankBmp(temp_.path() + "site.bmp", 400, 200), 3.0, 4.0, 10.0);
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kDwg}) {
    const std::string path = temp_.path() + (kind == FcFileKind::kDwg ? "saved.dwg" : "saved.dxf");
    ASSERT_EQ(script_.OnWindowThread([&] { return SaveDrawing(script_.Drawing(), path, kind, false, false); }),
              FcSaveResult::kDone);
    FcGraph read;
    ASSERT_EQ(OpenDrawing(read, path, false, nullptr), FcOpenResult::kDone) << path;
    const FcRasterImage* image = nullptr;
    for (const FcEntity* entity : *read.GetCurrentEntitySet())
      if (const auto* found = dynamic_cast<const FcRasterImage*>(entity)) image = found;
    ASSERT_NE(image, nullptr) << path;
    ExpectPointNear(image->GetU(), {0.025, 0.0}, 1e-12, path);
    const FcRasterImageDef* definition = FindImageDef(read, image->GetImageDefHandle());
    ASSERT_NE(definition, nullptr) << path;
    EXPECT_EQ(definition->GetFilePath(), temp_.path() + "site.bmp");
    EXPECT_EQ(definition->GetReactors().GetCount(), 1) << path;
  }
  const CommandResult audit =
      RunCommand("/usr/bin/python3 '" + LibraryScript() + "' audit '" + temp_.path() + "saved.dxf'");
  EXPECT_EQ(audit.status, 0) << audit.output;
}

TEST_F(ImageAttachTest, ARelativePathIsFoundFromTheDrawingsFolder) {
  const std::string maps = temp_.MakeDirectory("maps/");
  script_.OnWindowThread([&] {
    script_.Drawing().GetSysVars().dwgtitled = 1;
    script_.Drawing().GetSysVars().SetDwgPrefix(maps);
    return 0;
  });
  PickFile(WriteBlankBmp(temp_.path() + "img/site.bmp", 4, 2));
  std::string message = "unset";
  AnswerAttach([&](CImgAttachDlg& dialog) {
    EXPECT_EQ(dialog.m_strDrawingFolder, maps);
    message = dialog.ChangePathType(CImgAttachDlg::kRelativePath);
    FromBox(dialog, 0.0, 0.0, 1.0, 0.0);
  });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  EXPECT_EQ(message, "");
  const std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 1u);
  ASSERT_TRUE(images[0].bound);
  const std::string saved = script_.OnWindowThread([&] {
    return FindImageDef(script_.Drawing(), images[0].definition)->GetFilePath();
  });
  EXPECT_EQ(saved, "../img/site.bmp");
}

TEST_F(ImageAttachTest, TheBoxAngleFollowsAngbaseAndAngdir) {
  struct Case {
    double angbase;
    int angdir;
    double angle;
    FcPoint2d u;
  };
  const double p = 0.025;
  const Case cases[] = {
      {0.0, 0, 90.0, {0.0, p}},
      {0.0, 1, 90.0, {0.0, -p}},
      {kHalfPi, 0, 0.0, {0.0, p}},
  };
  const std::string path = WriteBlankBmp(temp_.path() + "site.bmp", 400, 200);
  for (const Case& c : cases) {
    script_.OnWindowThread([&] {
      script_.Drawing().GetSysVars().angbase = c.angbase;
      script_.Drawing().GetSysVars().angdir = static_cast<std::uint8_t>(c.angdir);
      return 0;
    });
    PickFile(path);
    AnswerAttach([&](CImgAttachDlg& dialog) { FromBox(dialog, 0.0, 0.0, 10.0, c.angle); });
    ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
    ExpectPointNear(Images().back().u, c.u, 1e-12, std::to_string(c.angle));
  }
}

TEST_F(ImageAttachTest, TheSameFileReusesItsDefinitionAndAnotherFileOfTheSameNameIsRefused) {
  // A title longer than a dictionary entry holds is cut to fit.
  const std::string title = "site" + std::string(70, 'x');
  const std::string path = WriteBlankBmp(temp_.path() + title + ".bmp", 400, 200);
  AttachFromBox(path, 0.0, 0.0, 1.0);
  std::string newFile = "unset";
  std::vector<std::string> names;
  PickFile(path);
  AnswerAttach([&](CImgAttachDlg& dialog) {
    newFile = dialog.m_strNewFile;
    names = dialog.Names();
    FromBox(dialog, 20.0, 0.0, 1.0, 0.0);
  });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  const std::string name = title.substr(0, 63);
  EXPECT_EQ(newFile, "");
  EXPECT_EQ(names, std::vector<std::string>{name});
  std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].definition, images[1].definition);
  EXPECT_EQ(ImageNames(), std::vector<std::string>{name});

  PickFile(WriteBlankBmp(temp_.path() + "elsewhere/" + title + ".bmp", 10, 10));
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{CImgAttachDlg::kSameName});
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(Images().size(), 2u);
}

// A definition whose entry name is not its file's title (a drawing from
// another program, or a saved path changed in the manager) must not be
// replaced by a new file of that title: its images would lose it.
TEST_F(ImageAttachTest, ANewFileNeverTakesTheEntryOfADefinitionInUse) {
  AttachFromBox(WriteBlankBmp(temp_.path() + "site.bmp", 400, 200), 0.0, 0.0, 1.0);
  const std::string map = WriteBlankBmp(temp_.path() + "map.bmp", 40, 20);
  script_.OnWindowThread([&] {
    auto* dictionary = dynamic_cast<FcDictionary*>(script_.Drawing().GetNamedObjects().GetAt(kImageDictionaryName));
    auto* definition = dynamic_cast<FcRasterImageDef*>(dictionary->GetAt("site"));
    definition->SetFilePath(map);
    return definition->Load(&script_.Drawing());
  });
  const FcHandle before = Images()[0].definition;

  PickFile(WriteBlankBmp(temp_.path() + "other.bmp", 10, 10));
  std::string browseMessage = "unset";
  AnswerAttach([&](CImgAttachDlg& dialog) {
    browseMessage = dialog.TakeBrowsedFile(WriteBlankBmp(temp_.path() + "d2/site.bmp", 10, 10));
    FromBox(dialog, 0.0, 0.0, 1.0, 0.0);
  });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  EXPECT_EQ(browseMessage, "");
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{CImgAttachDlg::kSameName});
  const std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].definition, before);
  EXPECT_TRUE(images[0].bound);
  EXPECT_EQ(ImageNames(), std::vector<std::string>{"site"});
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"ImageAttach"});
}

TEST_F(ImageAttachTest, AnAttachThatStopsHalfWayKeepsNothing) {
  // A file that is no picture has no pixel size, so no image extent.
  PickFile(temp_.Write("bad.bmp", "not a picture"));
  AnswerAttach([](CImgAttachDlg& dialog) { FromBox(dialog, 0.0, 0.0, 1.0, 0.0); });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  EXPECT_EQ(LastPrinted(), "Can not load the raster image!");

  // Esc at the scale prompt.
  PickFile(WriteBlankBmp(temp_.path() + "site.bmp", 4, 2));
  AnswerAttach([](CImgAttachDlg& dialog) {
    dialog.m_bPointOnScreen = 1;
    dialog.m_bScaleOnScreen = 1;
  });
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {"1,1", kEsc}));

  // The file box or the attach box cancelled.
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  PickFile(temp_.path() + "site.bmp");
  ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));

  EXPECT_EQ(dialogs_.AnswersLeft(), 0);
  EXPECT_TRUE(Images().empty());
  EXPECT_TRUE(ImageNames().empty());
  EXPECT_TRUE(UndoNames().empty());
}

}  // namespace
