#include <cmath>
#include <cstdint>
#include <vector>

#include "core/code_pages.h"
#include "core/matrix2d.h"
#include "core/text_codes.h"
#include "database/draw_sink.h"
#include "database/graph.h"
#include "database/point_chain_drawing.h"
#include "database/text_style.h"
#include "entities/text.h"
#include "entities/text_chains.h"

namespace {

constexpr int kCaretCode = 0;
constexpr int kLetterJ = 106;
// A glyph run or baseline shorter than this gives no scale.
constexpr double kShortest = 1e-7;

// Appends m2 after m.
void Then(FcMatrix2d& m, const FcMatrix2d& next) { MultiplyMatrix(m, next); }

void ThenTranslate(FcMatrix2d& m, double dx, double dy) {
  FcMatrix2d t;
  TranslationMatrix(dx, dy, t);
  Then(m, t);
}

void ThenScale(FcMatrix2d& m, double sx, double sy) {
  FcMatrix2d s;
  ScaleMatrix(sx, sy, s);
  Then(m, s);
}

void ThenRotate(FcMatrix2d& m, double angle) {
  FcMatrix2d r;
  RotationMatrix(0.0, 0.0, angle, r);
  Then(m, r);
}

}  // namespace

void FcText::LayoutChar(const FcTextStyle& style, int code, FcPoint2d& pen, int mode, PointChain& chain) const {
  double d = height_ * 0.01;
  if (mode != 0) d *= kTextScriptScale;
  const double advance = style.GetGlyph(chain, code);
  if (chain.PointCount() > 0) {
    FcMatrix2d m;
    ScaleMatrix(d * widthFactor_, d, m);
    FcMatrix2d shear;
    shear.b = std::tan(obliqueAngle_);
    Then(m, shear);
    if (IsUpsideDown(&style)) ThenScale(m, 1.0, -1.0);
    ThenTranslate(m, pen.x, pen.y);
    chain.Transform(m);
  }
  pen.x += d * widthFactor_ * advance;
}

std::vector<PointChain> FcText::Layout(FcMatrix2d& placement, FcGraph* graph) {
  std::vector<PointChain> chains;
  const std::string& drawText = GetDrawText();
  if (drawText.empty() && caret_ == 0) return chains;
  const FcTextStyle* style = BindStyle(graph, true);
  if (style == nullptr) return chains;
  FcPoint2d pen;
  if (!drawText.empty()) {
    // The lines over and under the text and the scripts are placed by the
    // "j" of the style, laid out only for a text that has them.
    double overY = height_ * 1.05;
    double underY = height_ * -0.05;
    bool measured = false;
    const auto measure = [&] {
      if (measured) return;
      measured = true;
      FcPoint2d jPen;
      PointChain scratch;
      LayoutChar(*style, kLetterJ, jPen, 0, scratch);
      if (scratch.PointCount() == 0) return;
      FcPoint2d low, high;
      scratch.GetExtents(low, high);
      overY = high.y + 0.05 * (high.y - low.y);
      underY = low.y - 0.05 * (high.y - low.y);
    };
    std::vector<std::uint16_t> codes;
    const int codePage = graph != nullptr ? graph->GetSysVars().dwgcodepage : kDefaultCodePage;
    const int count = style->DecodeText(drawText, codePage, false, codes);
    int mode = 0;
    TextDecoration over;
    TextDecoration under;
    for (int i = 0; i < count; ++i) {
      const int code = codes[static_cast<std::size_t>(i)];
      if (code == kOverlineToggleCode) {
        measure();
        ToggleDecoration(over, pen.x, overY, chains);
      } else if (code == kUnderlineToggleCode) {
        measure();
        ToggleDecoration(under, pen.x, underY, chains);
      } else if (code == kSuperscriptCode) {
        measure();
        mode = mode == 1 ? 0 : 1;
      } else if (code == kSubscriptCode) {
        measure();
        mode = mode == 2 ? 0 : 2;
      } else if (code != 10 && code != 13) {
        PointChain chain;
        LayoutChar(*style, code, pen, mode, chain);
        if (chain.PointCount() == 0) continue;
        if (mode != 0) {
          FcMatrix2d lift;
          TranslationMatrix(0.0, (pen.y + (mode == 1 ? overY : underY)) / 2.0, lift);
          chain.Transform(lift);
        }
        chains.push_back(std::move(chain));
      }
    }
    if (over.on) ToggleDecoration(over, pen.x, overY, chains);
    if (under.on) ToggleDecoration(under, pen.x, underY, chains);
  }
  if (caret_ != 0) {
    PointChain caret;
    LayoutChar(*style, kCaretCode, pen, 0, caret);
    if (caret.PointCount() > 0) chains.push_back(std::move(caret));
  }
  if (chains.empty()) return chains;

  const bool backward = IsBackward(style);
  const bool placedAtInsertion = IsLeftBaseline() || caret_ != 0;
  // Backward justified text is mirrored before it is measured, so that its
  // justification is taken from what is drawn.
  if (backward && !placedAtInsertion) {
    FcMatrix2d mirror;
    FlipXMatrix(mirror);
    TransformChains(chains, 0, chains.size(), mirror);
  }
  FcPoint2d min, max;
  ChainExtents(chains, 0, chains.size(), min, max);
  box_ = {FcPoint2d{min.x, min.y}, FcPoint2d{min.x, max.y}, FcPoint2d{max.x, max.y}, FcPoint2d{max.x, min.y}};
  IdentityMatrix(placement);
  if (placedAtInsertion) {
    if (backward) ThenScale(placement, -1.0, 1.0);
    ThenRotate(placement, rotation_);
    ThenTranslate(placement, insertion_.x, insertion_.y);
  } else {
    const double midX = (min.x + max.x) / 2.0;
    const double midY = (min.y + max.y) / 2.0;
    if (IsAlignedOrFit()) {
      const double baseline = std::hypot(alignment_.x - insertion_.x, alignment_.y - insertion_.y);
      const double run = max.x - min.x;
      // A run of zero width (a "1" or "|" in a stroke font) or coincident
      // points give no scale; the text keeps its size.
      if (baseline > kShortest && run > kShortest) {
        const double s = baseline / run;
        if (horizontal_ == kTextAligned) {
          height_ *= s;
          ThenScale(placement, s, s);
        } else {
          widthFactor_ *= s;
          ThenScale(placement, s, 1.0);
        }
        if (backward) ThenTranslate(placement, baseline, 0.0);
      }
    } else if (horizontal_ == kTextCenter) {
      ThenTranslate(placement, -midX, 0.0);
    } else if (horizontal_ == kTextRight) {
      ThenTranslate(placement, -max.x, 0.0);
    } else if (horizontal_ == kTextMiddle) {
      ThenTranslate(placement, -midX, -midY);
    }
    if (horizontal_ == kTextLeft || horizontal_ == kTextCenter || horizontal_ == kTextRight) {
      if (vertical_ == kTextBottom) ThenTranslate(placement, 0.0, -min.y);
      if (vertical_ == kTextVerticalMiddle) ThenTranslate(placement, 0.0, -midY);
      if (vertical_ == kTextTop) ThenTranslate(placement, 0.0, -max.y);
    }
    ThenRotate(placement, rotation_);
    const FcPoint2d& at = IsAlignedOrFit() ? insertion_ : alignment_;
    ThenTranslate(placement, at.x, at.y);
  }
  for (FcPoint2d& corner : box_) TransformPoint(placement, corner);
  if (!placedAtInsertion && !IsAlignedOrFit()) insertion_ = box_[0];
  return chains;
}

bool FcText::Draw(FcDrawSink* sink) {
  if (sink == nullptr || (GetDrawText().empty() && caret_ == 0)) return true;
  FcMatrix2d placement;
  std::vector<PointChain> chains = Layout(placement, OwnerGraphOf(*this));
  if (chains.empty() || !FcEntity::Draw(sink)) return true;
  const FcGraph* graph = sink->GetContext().graph;
  if (graph != nullptr && graph->GetSysVars().qtextmode != 0 && caret_ == 0) {
    sink->AddPolyline(box_.data(), 4, true, GetHandle(), 0);
    return true;
  }
  for (PointChain& chain : chains) chain.Transform(placement);
  DrawPointChains(*sink, chains, GetHandle());
  return true;
}

bool FcText::Explode(FcEntitySets& target) {
  if (GetDrawText().empty() || GetLayer() == nullptr) return false;
  caret_ = 0;
  FcMatrix2d placement;
  std::vector<PointChain> chains = Layout(placement, OwnerGraphOf(*this));
  TransformChains(chains, 0, chains.size(), placement);
  ExplodeTextChains(chains, *this, target);
  return true;
}
