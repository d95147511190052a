#pragma once

#include <QWidget>
#include <functional>

#include "window/command_line_panel.h"

class QKeyEvent;

// The floating, resizable command-history window: the same history and
// prompt as the docked command bar. What is typed while it has the focus
// goes to the active drawing, as if typed in the drawing itself.
class TextWindow : public QWidget {
 public:
  using KeyTarget = std::function<void(QKeyEvent*)>;

  TextWindow(QWidget* owner, KeyTarget keys);

  CommandLinePanel& Panel() { return *panel_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  CommandLinePanel* panel_ = nullptr;
  KeyTarget keys_;
};
