#include "dialogs/dim_style_sample.h"

#include <QPainter>
#include <limits>
#include <utility>

#include "database/graph.h"
#include "display/dim_style_preview.h"

namespace {

DimSamplePainter samplePainter = nullptr;

}  // namespace

DimSamplePainter SetDimSamplePainter(DimSamplePainter painter) { return std::exchange(samplePainter, painter); }

DimStyleSample::DimStyleSample(FcGraph* graph, const FcDimVars& vars, QWidget* parent)
    : QWidget(parent),
      graph_(graph),
      vars_(vars),
      shown_(vars),
      builtScale_(std::numeric_limits<double>::quiet_NaN()) {
  setObjectName(QStringLiteral("sample"));
  setMinimumSize(240, 160);
}

void DimStyleSample::Follow() {
  shown_ = vars_;
  update();
}

void DimStyleSample::Rescale() { Build(vars_.dimscale); }

void DimStyleSample::Build(double scale) {
  if (graph_ == nullptr || graph_->GetDimStylePreview() == nullptr) return;
  BuildDimStylePreview(scale, *graph_);
  builtScale_ = scale;
}

void DimStyleSample::SetBlank(bool blank) {
  if (blank == blank_) return;
  blank_ = blank;
  update();
}

void DimStyleSample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (blank_ || graph_ == nullptr || samplePainter == nullptr || graph_->GetDimStylePreview() == nullptr) return;
  if (shown_.dimscale != builtScale_) Build(shown_.dimscale);
  samplePainter(painter, *graph_, shown_, width(), height());
}
