#include "window/menu_icons.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <string>
#include <vector>

#include "filers/file_object.h"
#include "imaging/dib.h"
#include "platform/program_settings.h"
#include "tests/support/gui_application.h"
#include "tests/support/temp_dir.h"

namespace {

// A BMP button of 8 x 8 pixels: light grey around a black middle.
void WriteButtonBmp(const std::string& path) {
  CDib dib;
  ASSERT_TRUE(dib.CreateBlank(24, 8, 8));
  int bit_count = 0;
  int stride = 0;
  std::uint8_t* rows = dib.GetBits(&bit_count, &stride);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool middle = x >= 2 && x < 6 && y >= 2 && y < 6;
      std::fill_n(rows + y * stride + 3 * x, 3, middle ? 0 : 192);
    }
  FcFile file;
  ASSERT_TRUE(dib.WriteFile(file));
  const std::vector<char> bytes = file.TakeBytes();
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A BMP named by a button is found along the search path when neither the
// name nor the menu file's folder has it, is scaled to the button and
// loses its light grey.
TEST(MenuIcons, ABmpAlongTheSearchPathIsScaledWithItsGreySeeThrough) {
  GuiApplication();
  TempDir dir;
  const std::string images = dir.MakeDirectory("images");
  WriteButtonBmp(images + "/button.bmp");
  struct PathScope {
    std::string kept = GetProgramSettings().search_path;
    ~PathScope() { GetProgramSettings().search_path = kept; }
  } scope;
  GetProgramSettings().search_path = dir.path() + "elsewhere;" + images;

  const QSize size(16, 15);
  const QImage icon =
      MenuButtonIcon(QStringLiteral("button.bmp"), QStringLiteral("Bu"), size, QString::fromStdString(dir.path()))
          .pixmap(size)
          .toImage()
          .convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(icon.size(), size);
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(icon.pixel(15, 14)), 0);
  EXPECT_EQ(icon.pixel(8, 7), qRgba(0, 0, 0, 255));

  GetProgramSettings().search_path.clear();
  const QImage lettered =
      MenuButtonIcon(QStringLiteral("button.bmp"), QStringLiteral("Bu"), size, QString::fromStdString(dir.path()))
          .pixmap(size)
          .toImage()
          .convertToFormat(QImage::Format_ARGB32);
  EXPECT_NE(lettered, icon) << "not found: the label's letters instead";
}

}  // namespace
