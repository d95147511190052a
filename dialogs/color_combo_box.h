#pragma once

#include <QComboBox>
#include <string>

class FcGraph;

// The colour list of the property dialogs, each entry with its swatch. The
// entry "Others..." opens the colour selection dialog, starting from the
// colour of the layer the dialog was opened with (the current layer when
// the drawing lacks it); a list made without a drawing starts from its own
// colour.
//
// The program's options use the list without ByLayer and ByBlock, with
// "Black" in front where a colour may be black; there "Others..." starts
// from the list's own colour.
class ColorComboBox : public QComboBox {
 public:
  ColorComboBox(const FcGraph* graph, std::string othersLayer, int color, QWidget* parent);
  ColorComboBox(int color, bool withBlack, QWidget* parent);
  int Color() const { return color_; }
  // What a choice of the entry at the index does.
  void Choose(int index);

 private:
  // Whether the list may hold a colour chosen under "Others...".
  bool Takes(int color) const;
  // The entries for the colour, its own selected.
  void Fill();

  const FcGraph* graph_;
  std::string othersLayer_;
  int color_;
  bool programList_ = false;
  bool withBlack_ = false;
};
