#pragma once

#include <QWidget>

class CDimTextPage;
struct FcDimVars;

// The "Text" page of the dimension style sheet: it fills from the page and
// writes each change into the page and at once into the style's
// variables. Its "..." closes the sheet with its own code, so that the
// command lets the user edit the text styles and opens the sheet again.
class DimTextPageWidget : public QWidget {
 public:
  DimTextPageWidget(CDimTextPage& page, FcDimVars& vars, QWidget* parent);

 private:
  void Apply();

  CDimTextPage& page_;
  FcDimVars& vars_;
};
