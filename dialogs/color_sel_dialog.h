#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

#include "commands/dialogs/color_sel_dlg.h"

class QLineEdit;

// A swatch of one index colour; a click chooses it unless it is only a
// sample.
class ColorSwatch : public QWidget {
 public:
  ColorSwatch(short color, std::function<void(short)> chosen, QWidget* parent);
  void SetColor(short color);
  short Color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  short color_;
  std::function<void(short)> chosen_;
};

// One of the two palette areas: 5 rows of 24 cells.
class ColorPaletteArea : public QWidget {
 public:
  ColorPaletteArea(PaletteArea area, std::function<void(short)> chosen, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PaletteArea area_;
  std::function<void(short)> chosen_;
};

// Shows a CColorSelDlg. The picks stay in the widget until OK writes the
// colour back, so Cancel leaves the caller's colour.
class ColorSelDialog : public QDialog {
 public:
  ColorSelDialog(CColorSelDlg& data, QWidget* parent);
  void Pick(short color);
  short Picked() const { return color_; }

 private:
  CColorSelDlg& data_;
  short color_;
  QLineEdit* text_ = nullptr;
  ColorSwatch* sample_ = nullptr;
};
