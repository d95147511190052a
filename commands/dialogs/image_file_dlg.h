#pragma once

#include <string>

#include "shell/modal_dialog.h"

// The open-file box of the image commands and dialogs: the user picks one
// BMP or JPEG file. m_strPath is the initial file name going in and the
// chosen file coming out.
class CImageFileDlg : public CModalDialog {
 public:
  static constexpr const char* kFilter =
      "All image files(*.bmp,*.jpg,*.jpeg)|*.bmp;*.jpg;*.jpeg|BMP files(*.bmp)|*.bmp|JPG files(*.jpg,*.jpeg)|*.jpg;*.jpeg||";
  static constexpr const char* kDefaultExtension = "bmp";

  std::string m_strPath;
};

// Runs the image file box starting from the path; true with the chosen
// file in path on OK, false (path unchanged) otherwise. Any thread.
bool BrowseImageFile(std::string& path);
