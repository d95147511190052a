#pragma once

#include <QComboBox>
#include <string>

class FcGraph;

// The colour list of the property dialogs, each entry with its swatch. The
// entry "Others..." opens the colour selection dialog, starting from the
// colour of the layer the dialog was opened with (the current layer when
// the drawing lacks it).
class ColorComboBox : public QComboBox {
 public:
  ColorComboBox(const FcGraph* graph, std::string othersLayer, int color, QWidget* parent);
  int Color() const { return color_; }
  // What a choice of the entry at the index does.
  void Choose(int index);

 private:
  // The entries for the colour, its own selected.
  void Fill();

  const FcGraph* graph_;
  std::string othersLayer_;
  int color_;
};
