#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/dialogs/img_attach_dlg.h"
#include "database/dictionary.h"
#include "entities/raster_image.h"
#include "tests/support/bmp_file.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ImgAttachDlgTest, RelativePathsClimbFromTheDrawingFolderOrFailWithoutACommonFolder) {
  struct Case {
    const char* folder;
    const char* file;
    const char* relative;
  };
  const Case cases[] = {
      {"/work/maps/", "/work/img/site.bmp", "../img/site.bmp"},
      {"/work/maps/", "/work/maps/site.bmp", "./site.bmp"},
      {"/work/", "/work/img/sub/site.bmp", "./img/sub/site.bmp"},
      {"/work/a/b/", "/work/site.bmp", "../../site.bmp"},
      {"/Work/Maps/", "/work/img/site.bmp", "../img/site.bmp"},
      {"C:\\work\\maps\\", "C:\\work\\img\\site.bmp", "../img/site.bmp"},
      {"/work/maps/", "/mnt/disk/site.bmp", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(RelativeImagePath(c.folder, c.file), c.relative) << c.folder << " " << c.file;
}

TEST(ImgAttachDlgTest, APathTypeChangeRewritesTheSavedPathOrSaysWhyNot) {
  CImgAttachDlg dialog;
  dialog.m_strFoundPath = "/work/img/site.bmp";
  dialog.m_strSavedPath = dialog.m_strFoundPath;

  EXPECT_EQ(dialog.ChangePathType(CImgAttachDlg::kNoPath), "");
  EXPECT_EQ(dialog.m_strSavedPath, "site.bmp");
  // An untitled drawing has no folder to start from: nothing changes.
  EXPECT_EQ(dialog.ChangePathType(CImgAttachDlg::kRelativePath), CImgAttachDlg::kNoRelativePath);
  EXPECT_EQ(dialog.m_strSavedPath, "site.bmp");
  EXPECT_EQ(dialog.m_nPathType, CImgAttachDlg::kNoPath);

  dialog.m_strDrawingFolder = "/work/maps/";
  EXPECT_EQ(dialog.ChangePathType(CImgAttachDlg::kRelativePath), "");
  EXPECT_EQ(dialog.m_strSavedPath, "../img/site.bmp");
  EXPECT_EQ(dialog.ChangePathType(CImgAttachDlg::kFullPath), "");
  EXPECT_EQ(dialog.m_strSavedPath, "/work/img/site.bmp");

  // Nothing in common: back to the full path.
  dialog.m_strDrawingFolder = "/mnt/maps/";
  EXPECT_EQ(dialog.ChangePathType(CImgAttachDlg::kRelativePath), CImgAttachDlg::kNoRelativePath);
  EXPECT_EQ(dialog.m_nPathType, CImgAttachDlg::kFullPath);
  EXPECT_EQ(dialog.m_strSavedPath, "/work/img/site.bmp");
}

TEST(ImgAttachDlgTest, ASavedPathShowsItsPathType) {
  EXPECT_EQ(PathTypeOf("./site.bmp"), CImgAttachDlg::kRelativePath);
  EXPECT_EQ(PathTypeOf("..\\img\\site.bmp"), CImgAttachDlg::kRelativePath);
  EXPECT_EQ(PathTypeOf("site.bmp"), CImgAttachDlg::kNoPath);
  EXPECT_EQ(PathTypeOf("/work/site.bmp"), CImgAttachDlg::kFullPath);
  EXPECT_EQ(PathTypeOf("C:\\site.bmp"), CImgAttachDlg::kFullPath);
}

TEST(ImgAttachDlgTest, OkRefusesAScaleNotAboveZeroAndTheNextBoxKeepsTheOnScreenChoices) {
  CImgAttachDlg dialog;
  dialog.m_bPointOnScreen = 0;
  dialog.m_bScaleOnScreen = 0;
  dialog.m_bRotationOnScreen = 1;
  for (const double scale : {0.0, -2.0}) {
    dialog.m_dScale = scale;
    EXPECT_EQ(dialog.Accept(), CImgAttachDlg::kScaleNotPositive) << scale;
  }
  dialog.m_dScale = 2.0;
  EXPECT_EQ(dialog.Accept(), "");
  const CImgAttachDlg next;
  EXPECT_EQ(next.m_bPointOnScreen, 0);
  EXPECT_EQ(next.m_bScaleOnScreen, 0);
  EXPECT_EQ(next.m_bRotationOnScreen, 1);
  EXPECT_EQ(next.m_dScale, 1.0);

  // The program starts with these.
  dialog.m_bPointOnScreen = 1;
  dialog.m_bScaleOnScreen = 1;
  dialog.m_bRotationOnScreen = 0;
  EXPECT_EQ(dialog.Accept(), "");
}

// A drawing's image dictionary with the definition "site" of a file in a
// folder "a".
class ImgAttachDlgNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    sitePath_ = WriteBlankBmp(temp_.path() + "a/site.bmp", 4, 2);
    auto* definition = new FcRasterImageDef;
    definition->SetLoaded(true);
    definition->SetFilePath(sitePath_);
    ASSERT_TRUE(definition->Load(nullptr));
    definition->SetFilePath("./site.bmp");
    dictionary_.SetAt("site", definition);
    dialog_.m_pImageDict = &dictionary_;
  }

  TempDir temp_;
  std::string sitePath_;
  FcDictionary dictionary_;
  CImgAttachDlg dialog_;
};

TEST_F(ImgAttachDlgNamesTest, OpeningListsTheNewFileFirstOrSelectsTheDefinitionFoundThere) {
  dialog_.m_strNewFile = temp_.path() + "new.bmp";
  dialog_.InitDialog();
  EXPECT_EQ(dialog_.Names(), (std::vector<std::string>{"new", "site"}));
  EXPECT_TRUE(dialog_.ChoosesNewFile());
  EXPECT_EQ(dialog_.m_nPathType, CImgAttachDlg::kFullPath);
  dialog_.ChangeName(1);
  EXPECT_EQ(dialog_.ChosenDefinition(), dictionary_.GetAt("site"));
  EXPECT_EQ(dialog_.m_strFoundPath, sitePath_);
  EXPECT_EQ(dialog_.m_strSavedPath, "./site.bmp");
  EXPECT_EQ(dialog_.m_nPathType, CImgAttachDlg::kRelativePath);

  CImgAttachDlg existing;
  existing.m_pImageDict = &dictionary_;
  existing.m_strFoundPath = sitePath_;
  existing.InitDialog();
  EXPECT_EQ(existing.Names(), std::vector<std::string>{"site"});
  EXPECT_FALSE(existing.ChoosesNewFile());
  EXPECT_EQ(existing.ChosenDefinition(), dictionary_.GetAt("site"));
  EXPECT_EQ(existing.m_strSavedPath, "./site.bmp");
}

TEST_F(ImgAttachDlgNamesTest, BrowseTakesANewFileOrTheDefinitionOfTheSameFileAndRefusesAnotherOfTheSameName) {
  dialog_.m_strNewFile = temp_.path() + "new.bmp";
  dialog_.m_strFoundPath = dialog_.m_strNewFile;
  dialog_.InitDialog();

  EXPECT_EQ(dialog_.TakeBrowsedFile(temp_.path() + "b/SITE.bmp"), CImgAttachDlg::kSameName);
  EXPECT_EQ(dialog_.m_strNewFile, temp_.path() + "new.bmp");
  EXPECT_EQ(dialog_.m_strFoundPath, temp_.path() + "new.bmp");
  EXPECT_EQ(dialog_.Names(), (std::vector<std::string>{"new", "site"}));

  EXPECT_EQ(dialog_.TakeBrowsedFile(sitePath_), "");
  EXPECT_EQ(dialog_.m_strNewFile, "");
  EXPECT_EQ(dialog_.Names(), std::vector<std::string>{"site"});
  EXPECT_EQ(dialog_.ChosenDefinition(), dictionary_.GetAt("site"));
  EXPECT_EQ(dialog_.m_strSavedPath, "./site.bmp");
  EXPECT_EQ(dialog_.m_nPathType, CImgAttachDlg::kRelativePath);

  const std::string other = temp_.path() + "c/other.bmp";
  EXPECT_EQ(dialog_.TakeBrowsedFile(other), "");
  EXPECT_EQ(dialog_.m_strNewFile, other);
  EXPECT_EQ(dialog_.Names(), (std::vector<std::string>{"other", "site"}));
  EXPECT_TRUE(dialog_.ChoosesNewFile());
  EXPECT_EQ(dialog_.m_strSavedPath, other);
  EXPECT_EQ(dialog_.m_nPathType, CImgAttachDlg::kFullPath);

  CImgAttachDlg empty;
  EXPECT_EQ(empty.TakeBrowsedFile(other), "");
  EXPECT_EQ(empty.Names(), std::vector<std::string>{"other"});
  EXPECT_EQ(empty.m_strFoundPath, other);
  EXPECT_EQ(empty.m_strSavedPath, other);
}

}  // namespace
