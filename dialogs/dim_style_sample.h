#pragma once

#include <QWidget>

#include "database/dim_style.h"

class FcGraph;
class QPainter;

// Draws the drawing's dimension style sample with the variables into the
// painter at width x height pixels. The window fills it in at start-up,
// since only it has the screen device; until then the sample stays white.
using DimSamplePainter = void (*)(QPainter& painter, FcGraph& graph, const FcDimVars& vars, int width, int height);
void SetDimSamplePainter(DimSamplePainter painter);

// The sample of the dimension style sheet. The pages write into the
// variables without telling the sheet, so the sample looks at them now
// and then and paints itself again when they changed. The drawing's
// sample part is built anew for the overall scale it is painted with.
class DimStyleSample : public QWidget {
 public:
  DimStyleSample(FcGraph* graph, const FcDimVars& vars, QWidget* parent);
  // While blank the area stays white, as for no style at all.
  void SetBlank(bool blank);
  // Repaints when the variables differ from those last painted.
  void Follow();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  FcGraph* graph_;
  const FcDimVars& vars_;
  bool blank_ = false;
  FcDimVars shown_;
  // The DIMSCALE the sample part was last built for; none at first, since
  // the manager built it for the current style.
  double builtScale_;
};
