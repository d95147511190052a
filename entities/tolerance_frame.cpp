#include <cmath>
#include <cstdint>
#include <vector>

#include "core/code_pages.h"
#include "core/text_codes.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/point_chain_drawing.h"
#include "database/text_style.h"
#include "entities/annotation_style.h"
#include "entities/text_chains.h"
#include "entities/tolerance.h"
#include "entities/tolerance_symbols.h"

namespace {

constexpr int kOpenBrace = '{';
constexpr int kCloseBrace = '}';
constexpr int kLetterJ = 'j';

// Everything the frame draws goes through here: built unrotated from the
// insertion point, turned about it by the direction's angle on the way
// out, in the frame's or the text's pen.
class FramePainter : public FcSymbolPainter {
 public:
  FramePainter(FcDrawSink& sink, const FcPoint2d& origin, const FcPoint2d& direction, FcHandle handle,
               const FcPen& framePen, const FcPen& textPen)
      : sink_(sink), origin_(origin), cos_(direction.x), sin_(direction.y), angle_(std::atan2(direction.y, direction.x)),
        handle_(handle), framePen_(framePen), textPen_(textPen) {}

  FcPoint2d Turn(const FcPoint2d& p) const {
    const double dx = p.x - origin_.x;
    const double dy = p.y - origin_.y;
    return {origin_.x + dx * cos_ - dy * sin_, origin_.y + dx * sin_ + dy * cos_};
  }

  void UseFramePen() { Use(framePen_, 0); }
  void UseTextPen() { Use(textPen_, 1); }

  void Line(const FcPoint2d& start, const FcPoint2d& end) override { sink_.AddLine(Turn(start), Turn(end), 0, handle_); }
  void Polyline(const std::vector<FcPoint2d>& points, bool closed) override {
    std::vector<FcPoint2d> turned;
    turned.reserve(points.size());
    for (const FcPoint2d& p : points) turned.push_back(Turn(p));
    sink_.AddPolyline(turned.data(), static_cast<int>(turned.size()), closed, handle_, 0);
  }
  void Circle(const FcPoint2d& centre, double radius) override { sink_.AddCircle(Turn(centre), radius, handle_, 0); }
  void Arc(const FcPoint2d& centre, double radius, double startAngle, double endAngle) override {
    sink_.AddArc(Turn(centre), radius, startAngle + angle_, endAngle + angle_, handle_, 0);
  }
  void Chain(PointChain& chain) {
    FcMatrix2d turn;
    RotationMatrix(origin_.x, origin_.y, angle_, turn);
    chain.Transform(turn);
    DrawPointChain(sink_, chain, handle_);
  }

 private:
  void Use(const FcPen& pen, int which) {
    if (current_ == which) return;
    current_ = which;
    sink_.SetPen(pen);
  }

  FcDrawSink& sink_;
  FcPoint2d origin_;
  double cos_;
  double sin_;
  double angle_;
  FcHandle handle_;
  FcPen framePen_;
  FcPen textPen_;
  int current_ = -1;
};

// One glyph at the pen, which moves on by its advance.
void LayoutChar(const FcTextStyle& style, int code, double height, int mode, FcPoint2d& pen, PointChain& chain) {
  double d = height * 0.01;
  if (mode != 0) d *= kTextScriptScale;
  const double advance = style.GetGlyph(chain, code);
  const double xScale = d * style.GetWidthFactor();
  if (chain.PointCount() > 0) {
    FcMatrix2d m;
    ScaleMatrix(xScale, d, m);
    FcMatrix2d move;
    TranslationMatrix(pen.x, pen.y, move);
    MultiplyMatrix(m, move);
    chain.Transform(m);
  }
  pen.x += xScale * advance;
}

// The layout of a whole frame, row by row.
class FrameLayout {
 public:
  FrameLayout(FramePainter& painter, const FcTextStyle& style, const FcPoint2d& origin, double height,
              std::vector<FcPoint2d>& frame)
      : painter_(painter), style_(style), origin_(origin), a_(height), frame_(frame), pen_(origin) {}

  void Run(const std::vector<std::uint16_t>& codes, int count) {
    frame_.push_back(origin_);
    LeftEdge();
    int i = 0;
    while (i < count) {
      const int code = codes[static_cast<std::size_t>(i)];
      if (code == kOpenBrace) {
        i = Symbol(codes, i, count);
      } else if (code == kVerticalBarCode) {
        CellEnd();
        ++i;
      } else if (code == kLineBreakCode) {
        CloseRow();
        ++row_;
        pen_ = {origin_.x, Middle()};
        LeftEdge();
        ++i;
      } else {
        i = Text(codes, i, count);
      }
    }
    CloseRow();
  }

 private:
  double Middle() const { return origin_.y - 2.0 * a_ * row_; }

  void Edge(double x) {
    painter_.UseFramePen();
    painter_.Line({x, Middle() - a_}, {x, Middle() + a_});
  }

  void LeftEdge() {
    Edge(pen_.x);
    cellHasContent_ = false;
    cellJustClosed_ = false;
    afterDiameter_ = false;
  }

  // A group without its closing brace ends the text and draws nothing.
  int Symbol(const std::vector<std::uint16_t>& codes, int open, int count) {
    int close = open + 1;
    while (close < count && codes[static_cast<std::size_t>(close)] != kCloseBrace) ++close;
    if (close >= count) return count;
    const int letterCode = close > open + 1 ? codes[static_cast<std::size_t>(close) - 1] : 0;
    pen_.x += cellHasContent_ ? 0.1 * a_ : 0.5 * a_;
    const char letter = letterCode > 0 && letterCode < 128 ? static_cast<char>(letterCode) : '\0';
    painter_.UseTextPen();
    pen_.x += DrawToleranceSymbol(letter, pen_, 2.0 * a_, painter_);
    afterDiameter_ = letter == 'n';
    if (afterDiameter_) pen_.x += 0.1 * a_;
    cellHasContent_ = true;
    cellJustClosed_ = false;
    return close + 1;
  }

  int Text(const std::vector<std::uint16_t>& codes, int first, int count) {
    int end = first;
    while (end < count) {
      const int code = codes[static_cast<std::size_t>(end)];
      if (code == kOpenBrace || code == kVerticalBarCode || code == kLineBreakCode) break;
      ++end;
    }
    if (!afterDiameter_) pen_.x += 0.5 * a_;
    LayoutText(codes, first, end);
    afterDiameter_ = false;
    cellHasContent_ = true;
    cellJustClosed_ = false;
    return end;
  }

  void LayoutText(const std::vector<std::uint16_t>& codes, int first, int end) {
    double overY = a_ * 1.05;
    double underY = a_ * -0.05;
    PointChain scratch;
    FcPoint2d origin;
    LayoutChar(style_, kLetterJ, a_, 0, origin, scratch);
    if (scratch.PointCount() > 0) {
      FcPoint2d low, high;
      scratch.GetExtents(low, high);
      overY = high.y + 0.05 * (high.y - low.y);
      underY = low.y - 0.05 * (high.y - low.y);
    }
    std::vector<PointChain> chains;
    FcPoint2d pen;
    int mode = 0;
    TextDecoration over;
    TextDecoration under;
    for (int i = first; i < end; ++i) {
      const int code = codes[static_cast<std::size_t>(i)];
      if (code == kOverlineToggleCode) {
        ToggleDecoration(over, pen.x, overY, chains);
      } else if (code == kUnderlineToggleCode) {
        ToggleDecoration(under, pen.x, underY, chains);
      } else if (code == kSuperscriptCode) {
        mode = mode == 1 ? 0 : 1;
      } else if (code == kSubscriptCode) {
        mode = mode == 2 ? 0 : 2;
      } else if (code != 13) {
        PointChain chain;
        LayoutChar(style_, code, a_, mode, pen, chain);
        if (chain.PointCount() == 0) continue;
        if (mode != 0) {
          FcMatrix2d lift;
          TranslationMatrix(0.0, (mode == 1 ? overY : underY) / 2.0, lift);
          chain.Transform(lift);
        }
        chains.push_back(std::move(chain));
      }
    }
    if (over.on) ToggleDecoration(over, pen.x, overY, chains);
    if (under.on) ToggleDecoration(under, pen.x, underY, chains);
    FcPoint2d min, max;
    if (ChainExtents(chains, 0, chains.size(), min, max)) {
      FcMatrix2d place;
      TranslationMatrix(pen_.x, pen_.y - (min.y + max.y) / 2.0, place);
      painter_.UseTextPen();
      for (PointChain& chain : chains) {
        chain.Transform(place);
        painter_.Chain(chain);
      }
    }
    pen_.x += pen.x;
  }

  void CellEnd() {
    if (!cellHasContent_) return;
    pen_.x += 0.5 * a_;
    Edge(pen_.x);
    cellHasContent_ = false;
    cellJustClosed_ = true;
    afterDiameter_ = false;
  }

  void CloseRow() {
    if (!cellJustClosed_) {
      pen_.x += 0.5 * a_;
      Edge(pen_.x);
    }
    const double top = Middle() + a_;
    const double bottom = Middle() - a_;
    painter_.UseFramePen();
    painter_.Line({origin_.x, top}, {pen_.x, top});
    painter_.Line({pen_.x, bottom}, {origin_.x, bottom});
    frame_.push_back({origin_.x, top});
    frame_.push_back({pen_.x, top});
    frame_.push_back({origin_.x, bottom});
    frame_.push_back({pen_.x, bottom});
  }

  FramePainter& painter_;
  const FcTextStyle& style_;
  FcPoint2d origin_;
  double a_;
  std::vector<FcPoint2d>& frame_;
  FcPoint2d pen_;
  int row_ = 0;
  bool cellHasContent_ = false;
  bool cellJustClosed_ = false;
  bool afterDiameter_ = false;
};

}  // namespace

bool FcTolerance::Draw(FcDrawSink* sink) {
  framePoints_.clear();
  if (sink == nullptr) return true;
  FcPen pen;
  const FcPenContext context = sink->GetPenContext();
  if (!ResolvePen(*this, context, pen)) return true;
  FcDimStyle* style = ResolveDimStyle();
  if (style == nullptr) return true;
  FcStyleOverrideScope overrides(style, *this);
  FcGraph* graph = OwnerGraphOf(*this);
  if (graph == nullptr) return true;
  FcTextStyle* textStyle = graph->GetTextStyleList().FindByHandle(style->GetDimTxSty());
  if (textStyle == nullptr) textStyle = graph->GetCurrentTextStyle();
  if (textStyle == nullptr) return true;
  const double height = style->GetDimTxt();
  if (!std::isfinite(height)) return true;
  std::vector<std::uint16_t> codes;
  const int count = textStyle->DecodeText(text_, graph->GetSysVars().dwgcodepage, true, codes);
  FramePainter painter(*sink, insertion_, direction_, GetHandle(),
                       PenWithStyleColor(pen, style->GetDimClrd(), *this, context),
                       PenWithStyleColor(pen, style->GetDimClrt(), *this, context));
  FrameLayout layout(painter, *textStyle, insertion_, height, framePoints_);
  layout.Run(codes, count);
  for (FcPoint2d& point : framePoints_) point = painter.Turn(point);
  return true;
}
