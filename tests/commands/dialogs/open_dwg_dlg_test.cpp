#include <gtest/gtest.h>

#include <string>

#include "commands/dialogs/open_dwg_dlg.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/bmp_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/temp_dir.h"

namespace {

struct Shown {
  int width;
  int height;
  int x;
  int y;
};

void ExpectShown(const COpenDwgDlg& dialog, const Shown& expected) {
  EXPECT_TRUE(dialog.m_bPreview);
  EXPECT_EQ(dialog.m_nImageWidth, expected.width);
  EXPECT_EQ(dialog.m_nImageHeight, expected.height);
  EXPECT_EQ(dialog.m_nImageX, expected.x);
  EXPECT_EQ(dialog.m_nImageY, expected.y);
  // The picture itself has the size shown, in the 24 bits the box paints.
  int bitCount = 0;
  int stride = 0;
  EXPECT_NE(dialog.m_dib.GetBits(&bitCount, &stride), nullptr);
  EXPECT_EQ(bitCount, 24);
  EXPECT_EQ(dialog.m_dib.GetWidth(), expected.width);
  EXPECT_EQ(dialog.m_dib.GetHeight(), expected.height);
}

void ExpectNothingShown(const COpenDwgDlg& dialog) {
  EXPECT_FALSE(dialog.m_bPreview);
  EXPECT_TRUE(dialog.m_dib.IsEmpty());
  EXPECT_EQ(dialog.m_nImageWidth, 0);
  EXPECT_EQ(dialog.m_nImageHeight, 0);
  EXPECT_EQ(dialog.m_nImageX, 0);
  EXPECT_EQ(dialog.m_nImageY, 0);
}

// A 200 x 100 box: a picture that fits is centred at its own size; a larger
// one is reduced to the box's width or height, whichever it reaches first,
// and centred along the other; a sliver keeps at least one pixel across.
TEST(OpenDwgDlgTest, PicturesAreFittedIntoTheBoxKeepingTheirProportions) {
  TempDir dir;
  struct Case {
    int width;
    int height;
    Shown shown;
  } cases[] = {
      {7, 5, {7, 5, 96, 47}},
      {200, 100, {200, 100, 0, 0}},
      {400, 100, {200, 50, 0, 25}},
      {100, 400, {25, 100, 87, 0}},
      {300, 150, {200, 100, 0, 0}},
      {4000, 1, {200, 1, 0, 49}},
      {1, 3000, {1, 100, 99, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    COpenDwgDlg dialog;
    const std::string path = dir.path() + std::to_string(c.width) + "x" + std::to_string(c.height) + ".bmp";
    dialog.SelectFile(WriteBlankBmp(path, c.width, c.height), 200, 100);
    ExpectShown(dialog, c.shown);
  }
}

// A drawing's stored 8-bit preview and a larger 24-bit one, as other
// programs wrote them; then choices that show nothing clear what was shown.
TEST(OpenDwgDlgTest, DrawingPreviewsShowAndOtherChoicesClearThem) {
  const std::string directory = CorpusDirectory();
  if (CorpusFiles(directory, "dwg/").empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  const std::string small = directory + "/dwg/libredwg__example_r14.dwg";
  const std::string large = directory + "/dwg/ezdxf__tests_test_08_addons_807_1.dwg";
  TempDir dir;
  const std::string clearing[] = {"", dir.path(), dir.Write("plan.dxf", "0\nSECTION\n"),
                                  directory + "/dwg/libredwg__2004_HatchG.dwg"};
  for (const std::string& path : clearing) {
    SCOPED_TRACE(path);
    COpenDwgDlg dialog;
    dialog.SelectFile(small, 300, 200);
    ExpectShown(dialog, {216, 140, 42, 30});
    dialog.SelectFile(large, 200, 100);
    ExpectShown(dialog, {193, 100, 3, 0});
    dialog.SelectFile(path, 200, 100);
    ExpectNothingShown(dialog);
  }
  // A box not laid out yet has no room for a picture.
  COpenDwgDlg dialog;
  dialog.SelectFile(small, 0, 0);
  ExpectNothingShown(dialog);
}

TEST(OpenDwgDlgTest, BrowseImageFileAsksForPicturesAndChangesThePathOnlyOnOk) {
  ScriptedDialogs dialogs;
  std::string seen;
  dialogs.Answer<COpenDwgDlg>([&seen](COpenDwgDlg& dialog) {
    seen = dialog.m_strFilter + " " + dialog.m_strDefExt + " " + dialog.m_strFileName;
    dialog.m_strPathName = "/maps/site.jpg";
    return CModalDialog::kOk;
  });
  dialogs.Answer<COpenDwgDlg>([](COpenDwgDlg& dialog) {
    dialog.m_strPathName = "/maps/other.bmp";
    return CModalDialog::kCancel;
  });
  std::string path = "/maps/old.bmp";
  EXPECT_TRUE(BrowseImageFile(path));
  EXPECT_EQ(seen, std::string(COpenDwgDlg::kImageFilter) + " bmp /maps/old.bmp");
  EXPECT_EQ(path, "/maps/site.jpg");
  EXPECT_FALSE(BrowseImageFile(path));
  EXPECT_EQ(path, "/maps/site.jpg");
  EXPECT_EQ(dialogs.Unexpected(), 0);
}

}  // namespace
