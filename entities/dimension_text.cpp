#include "entities/dimension_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "core/angle_format.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/dimension.h"
#include "entities/mtext.h"
#include "entities/mtext_layout.h"

namespace {

// The advance of one character of the dimension font, in text heights.
constexpr double kCharacterAdvance = 0.8;

// Visible characters of multiline-text source: codes such as "\A1;" and
// "\H0.5x;", braces and the "%%" symbol prefixes take no room; a stack
// "\Sa^b;" counts as its longer half.
double VisibleCharacters(const std::string& contents) {
  double count = 0.0;
  for (std::size_t i = 0; i < contents.size(); ++i) {
    const char c = contents[i];
    if (c == '{' || c == '}') continue;
    if (c == '%' && contents.compare(i, 2, "%%") == 0 && i + 2 < contents.size()) {
      ++count;
      i += 2;
      continue;
    }
    if (c != '\\' || i + 1 >= contents.size()) {
      ++count;
      continue;
    }
    const char code = contents[i + 1];
    const std::size_t end = contents.find(';', i);
    if (code == 'S' && end != std::string::npos) {
      const std::string stack = contents.substr(i + 2, end - i - 2);
      const std::size_t split = stack.find_first_of("^/#");
      const std::size_t upper = split == std::string::npos ? stack.size() : split;
      const std::size_t lower = split == std::string::npos ? 0 : stack.size() - split - 1;
      count += static_cast<double>(std::max(upper, lower));
      i = end;
    } else if ((code == 'A' || code == 'H' || code == 'W' || code == 'C' || code == 'F' || code == 'T' || code == 'Q') &&
               end != std::string::npos) {
      i = end;
    } else if (code == 'P') {
      ++i;
    } else {
      ++count;
      ++i;
    }
  }
  return count;
}

void EstimateDimText(FcDimText& text) {
  text.width = VisibleCharacters(text.contents) * kCharacterAdvance * text.height;
  text.boxHeight = text.height;
}

void LayOutDimText(FcDimText& text) {
  EstimateDimText(text);
  if (text.graph == nullptr) return;
  FcMText mtext;
  SetDimTextLines(text, mtext);
  mtext.SetStyle(text.graph->GetTextStyleList().FindByHandle(text.style));
  std::array<FcPoint2d, 4> box;
  MTextRenderRequest request;
  request.box = &box;
  request.graph = text.graph;
  RenderMText(mtext, request);
  if (!(mtext.GetLaidOutWidth() > 0.0) || !std::isfinite(mtext.GetLaidOutWidth())) return;
  text.width = mtext.GetLaidOutWidth();
  text.boxHeight = mtext.GetLaidOutHeight();
}

std::atomic<FcDimTextMeasure> measureHook{LayOutDimText};

}  // namespace

std::string FormatDimAngle(const FcDimStyle& style, double angle) {
  return FormatAngle(std::clamp<int>(style.dimadec, 0, 8), angle, style.dimaunit);
}

void MeasureDimText(FcDimText& text) { measureHook.load()(text); }

void SetDimTextMeasure(FcDimTextMeasure measure) { measureHook.store(measure != nullptr ? measure : LayOutDimText); }

void SetDimTextLines(const FcDimText& text, FcMText& mtext) {
  mtext.SetAttachment(kMTextMiddleCenter);
  mtext.SetHeight(text.height);
  mtext.SetContents(std::string_view(text.contents));
  mtext.SetLineSpacingStyle(text.lineSpacingStyle);
  mtext.SetLineSpacingFactor(text.lineSpacingFactor);
}

void DimTextBox(const FcDimText& text, double gap, FcPoint2d (&corners)[4]) {
  const FcPoint2d u{std::cos(text.direction), std::sin(text.direction)};
  const FcPoint2d v{-u.y, u.x};
  const double halfWidth = text.width / 2.0 + gap;
  const double halfHeight = text.boxHeight / 2.0 + gap;
  const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < 4; ++i) {
    corners[i] = {text.insertion.x + signs[i][0] * halfWidth * u.x + signs[i][1] * halfHeight * v.x,
                  text.insertion.y + signs[i][0] * halfWidth * u.y + signs[i][1] * halfHeight * v.y};
  }
}
