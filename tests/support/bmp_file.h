#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "filers/file_object.h"
#include "imaging/dib.h"

// Writes a black 24-bit BMP file of the size, making its folder; returns
// its path.
inline std::string WriteBlankBmp(const std::string& path, int width, int height) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  CDib picture;
  FcFile file;
  EXPECT_TRUE(picture.CreateBlank(24, width, height));
  EXPECT_TRUE(file.Open(path, kFcOpenWrite | kFcOpenCreate));
  EXPECT_TRUE(picture.WriteFile(file));
  EXPECT_TRUE(file.Close());
  return path;
}
