#include "dialogs/dim_style_sample.h"

#include <QPainter>
#include <QTimer>
#include <limits>

#include "database/graph.h"
#include "display/dim_style_preview.h"

namespace {

DimSamplePainter samplePainter = nullptr;

// Often enough to look immediate, seldom enough to cost nothing.
constexpr int kFollowMilliseconds = 150;

}  // namespace

void SetDimSamplePainter(DimSamplePainter painter) { samplePainter = painter; }

DimStyleSample::DimStyleSample(FcGraph* graph, const FcDimVars& vars, QWidget* parent)
    : QWidget(parent),
      graph_(graph),
      vars_(vars),
      shown_(vars),
      builtScale_(std::numeric_limits<double>::quiet_NaN()) {
  setObjectName(QStringLiteral("sample"));
  setMinimumSize(240, 160);
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &DimStyleSample::Follow);
  timer->start(kFollowMilliseconds);
}

void DimStyleSample::Follow() {
  if (vars_ == shown_) return;
  shown_ = vars_;
  update();
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
  if (shown_.dimscale != builtScale_) {
    BuildDimStylePreview(shown_.dimscale, *graph_);
    builtScale_ = shown_.dimscale;
  }
  samplePainter(painter, *graph_, shown_, width(), height());
}
