#pragma once

#include <QWidget>

#include "database/dim_style.h"

class FcGraph;
class QPainter;

// Draws the drawing's dimension style sample with the variables into the
// painter at width x height pixels. The window fills it in at start-up,
// since only it has the screen device; until then the sample stays white.
using DimSamplePainter = void (*)(QPainter& painter, FcGraph& graph, const FcDimVars& vars, int width, int height);
// Gives back the painter it replaces.
DimSamplePainter SetDimSamplePainter(DimSamplePainter painter);

// The sample of the dimension style dialogs, painted with the variables
// as they were when it last followed them. The drawing's sample part is
// built anew for the overall scale it is painted with.
class DimStyleSample : public QWidget {
 public:
  DimStyleSample(FcGraph* graph, const FcDimVars& vars, QWidget* parent);
  // While blank the area stays white, as for no style at all.
  void SetBlank(bool blank);
  // Takes the variables as they are now and paints itself again; the
  // dialog calls it on each change of them.
  void Follow();
  // Builds the drawing's sample part anew at the variables' overall
  // scale; the dialog asks for it when a change of the scale is reported.
  void Rescale();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Build(double scale);

  FcGraph* graph_;
  const FcDimVars& vars_;
  bool blank_ = false;
  FcDimVars shown_;
  // The DIMSCALE the sample part was last built for; none at first, since
  // the manager built it for the current style.
  double builtScale_;
};
