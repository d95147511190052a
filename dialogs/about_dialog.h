#pragma once

#include <QDialog>

// The About box: the program's picture and title, and links to its home
// page and support address that open in the desktop's own programs.
class AboutDialog : public QDialog {
 public:
  static constexpr const char* kHomePage = "https://kovra-draft.org/";
  static constexpr const char* kSupportAddress = "support@kovra-draft.org";

  explicit AboutDialog(QWidget* parent = nullptr);
};
