#include <gtest/gtest.h>

#include <cstdint>

#include "commands/dialogs/img_adjust_dlg.h"

namespace {

std::uint8_t FirstByte(const CDib& picture) {
  int bitCount = 0;
  int stride = 0;
  return picture.GetBits(&bitCount, &stride)[0];
}

TEST(ImgAdjustDlgTest, ThePreviewAdjustsACopyAndResetGoesBackToNeutral) {
  CImgAdjustDlg dialog;
  ASSERT_TRUE(dialog.m_dibOriginal.CreateBlank(24, 2, 2));
  dialog.m_crBackground = 0xFFFFFF;
  dialog.m_nFade = 100;
  dialog.m_nBrightness = 80;
  dialog.m_bShowImage = 0;
  CDib preview;
  ASSERT_TRUE(dialog.MakePreview(preview));
  EXPECT_EQ(FirstByte(preview), 0xFF);
  EXPECT_EQ(FirstByte(dialog.m_dibOriginal), 0x00);

  dialog.Reset();
  EXPECT_EQ(dialog.m_nBrightness, 50);
  EXPECT_EQ(dialog.m_nContrast, 50);
  EXPECT_EQ(dialog.m_nFade, 0);
  EXPECT_EQ(dialog.m_bShowImage, 1);
  ASSERT_TRUE(dialog.MakePreview(preview));
  EXPECT_EQ(FirstByte(preview), 0x00);

  // An image whose file is not loaded has no picture to preview.
  CImgAdjustDlg empty;
  EXPECT_FALSE(empty.MakePreview(preview));
  EXPECT_TRUE(preview.IsEmpty());
}

}  // namespace
