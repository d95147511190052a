#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "filers/filer_dwg.h"
#include "files/dwg_file.h"
#include "files/file_preview.h"
#include "imaging/dib.h"
#include "tests/support/bmp_file.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/jpeg_file.h"
#include "tests/support/temp_dir.h"

namespace {

// The header of the 8-bit 180 x 104 preview the program stores.
constexpr std::uint8_t kPreviewHeader[16] = {40, 0, 0, 0, 180, 0, 0, 0, 104, 0, 0, 0, 1, 0, 8, 0};

// The bytes of a DWG file of an empty drawing with an 8-bit preview.
std::string DwgWithPreview() {
  std::vector<std::uint8_t> dib(40 + 1024 + 180 * 104, 0x33);
  std::memcpy(dib.data(), kPreviewHeader, sizeof kPreviewHeader);
  std::memset(dib.data() + 16, 0, 24);
  FcGraph graph;
  FcFilerDwg filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  filer.SetGraph(&graph);
  WriteDwgFile(filer, graph, &dib);
  const std::vector<char> bytes = filer.DetachFile()->TakeBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::size_t PreviewAt(const std::string& dwg) {
  return dwg.find(std::string(reinterpret_cast<const char*>(kPreviewHeader), sizeof kPreviewHeader));
}

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A picture the next read must replace or clear.
void FillWithOldPicture(CDib& picture) { ASSERT_TRUE(picture.CreateBlank(24, 9, 9)); }

TEST(FilePreviewTest, EachKindOfFileShowsItsPictureOrNone) {
  TempDir dir;
  const std::string dwg = DwgWithPreview();
  const std::size_t preview = PreviewAt(dwg);
  ASSERT_NE(preview, std::string::npos);
  std::string badBitCount = dwg;
  badBitCount[preview + 14] = 13;
  const std::string bmp = WriteBlankBmp(dir.path() + "bmp/picture.BMP", 7, 5);
  const std::string jpeg = Bytes(CompressJpeg(6, 4, 1, std::vector<std::uint8_t>(24, 90)));
  struct Case {
    const char* name;
    std::string path;
    int width;  // 0: no picture
    int height;
  } cases[] = {
      {"drawing with preview", dir.Write("with.dwg", dwg), 180, 104},
      {"any other extension is read as a drawing", dir.Write("with.bak", dwg), 180, 104},
      {"BMP, extension in capitals", bmp, 7, 5},
      {"JPEG", dir.Write("picture.jpeg", jpeg), 6, 4},
      {"JPG", dir.Write("picture.JPG", jpeg), 6, 4},
      {"preview with an unknown bit count", dir.Write("badbits.dwg", badBitCount), 0, 0},
      {"preview cut short", dir.Write("cut.dwg", dwg.substr(0, preview + 500)), 0, 0},
      {"drawing cut before its preview", dir.Write("head.dwg", dwg.substr(0, 20)), 0, 0},
      {"BMP named as a drawing", WriteBlankBmp(dir.path() + "picture.dwg", 7, 5), 0, 0},
      {"text named as a BMP", dir.Write("text.bmp", "not a picture"), 0, 0},
      {"text named as a JPEG", dir.Write("text.jpg", "not a picture"), 0, 0},
      {"empty file", dir.Write("empty.dwg", ""), 0, 0},
      {"directory", dir.MakeDirectory("folder.dwg"), 0, 0},
      {"missing file", dir.path() + "missing.dwg", 0, 0},
      {"no path", "", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDib picture;
    FillWithOldPicture(picture);
    EXPECT_EQ(ReadFilePreview(c.path, picture), c.width != 0);
    EXPECT_EQ(picture.GetWidth(), c.width);
    EXPECT_EQ(picture.GetHeight(), c.height);
    EXPECT_EQ(picture.IsEmpty(), c.width == 0);
  }
}

// Drawings that no one here wrote: the releases the program reads show
// their stored bitmap, 8 or 24 bits; a later release shows none although it
// stores one; a drawing without a preview shows none; DXF files show none.
TEST(FilePreviewTest, CorpusDrawingsShowTheirStoredBitmap) {
  const std::string directory = CorpusDirectory();
  const std::vector<CorpusFile> dwgs = CorpusFiles(directory, "dwg/");
  if (dwgs.empty()) GTEST_SKIP() << "no corpus manifest in " << directory;
  struct Case {
    const char* name;
    int width;
    int height;
  } cases[] = {
      {"dwg/libredwg__example_r13.dwg", 216, 140},
      {"dwg/libredwg__example_r14.dwg", 216, 140},
      {"dwg/libredwg__2000_Arc.dwg", 256, 102},
      {"dwg/ezdxf__tests_test_08_addons_807_1.dwg", 512, 265},
      {"dwg/libredwg__2000_PolyLine2D.dwg", 0, 0},
      {"dwg/libredwg__2004_HatchG.dwg", 0, 0},
      {"dwg/libredwg__r11_entities-2d.dwg", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDib picture;
    EXPECT_EQ(ReadFilePreview(directory + "/" + c.name, picture), c.width != 0);
    EXPECT_EQ(picture.GetWidth(), c.width);
    EXPECT_EQ(picture.GetHeight(), c.height);
  }
  std::vector<CorpusFile> all = dwgs;
  const std::vector<CorpusFile> dxfs = CorpusFiles(directory, "dxf/");
  all.insert(all.end(), dxfs.begin(), dxfs.end());
  for (const CorpusFile& file : all) {
    SCOPED_TRACE(file.name);
    CDib picture;
    const bool shown = ReadFilePreview(directory + "/" + file.name, picture);
    if (file.name.rfind("dxf/", 0) == 0 || file.role == "wrong-release") {
      EXPECT_FALSE(shown);
    }
    EXPECT_EQ(shown, picture.GetWidth() > 0 && picture.GetHeight() > 0);
  }
}

}  // namespace
