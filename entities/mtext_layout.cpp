#include "entities/mtext_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <vector>

#include "core/code_pages.h"
#include "core/matrix2d.h"
#include "database/block.h"
#include "database/draw_sink.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/point_chain_drawing.h"
#include "database/text_style.h"
#include "entities/mtext.h"
#include "entities/text_chains.h"

namespace {

// A number, font name or stack longer than this is cut there.
constexpr std::size_t kMaxRun = 512;
constexpr int kSpace = 32;

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// The colour a glyph is drawn in, -1 for the entity's own pen. "\C256"
// follows the text's layer and "\C0" the block reference that draws the
// text (the layer where none sets a colour), whatever colour the entity
// itself has; a colour outside the palette is drawn white.
std::int16_t GlyphColour(const FcMText& text, std::int16_t colour) {
  if (colour == text.GetColor()) return -1;
  const FcLayer* layer = text.GetLayer();
  const std::int16_t layerColour = layer != nullptr ? layer->GetColor() : 7;
  if (colour == kColorByLayer) return layerColour;
  if (colour == kColorByBlock) {
    const FcBlock* block = text.GetBlock();
    return block != nullptr && block->GetByBlockColor() != kColorByLayer ? block->GetByBlockColor() : layerColour;
  }
  return colour > 0 && colour < 256 ? colour : 7;
}

// Translates the chains and the extents box together.
void Shift(std::vector<PointChain>& chains, std::size_t first, std::size_t last, double dx, double dy) {
  if (dx == 0.0 && dy == 0.0) return;
  FcMatrix2d move;
  TranslationMatrix(dx, dy, move);
  TransformChains(chains, first, last, move);
}

class MTextLayout {
 public:
  MTextLayout(FcMText& text, const FcTextStyle& style, FcGraph* graph)
      : text_(text), style_(style), graph_(graph) {
    origin_ = text.GetInsertionPoint();
    pen_ = origin_;
    lineHeight_ = text.GetHeight();
    width_ = text.GetReferenceWidth();
    lineAdvance_ = text.GetLineSpacingFactor() * lineHeight_ * 5.0 / 3.0;
    state_.colour = text.GetColor();
    state_.height = lineHeight_;
    state_.widthFactor = style.GetWidthFactor();
    state_.obliqueAngle = style.GetObliqueAngle();
  }

  void Scan(const std::vector<std::uint16_t>& codes, int count);
  // False without glyphs; the extents are then the insertion point.
  bool Finish(FcPoint2d& min, FcPoint2d& max);
  std::vector<PointChain>& Chains() { return chains_; }

 private:
  void Push();
  void Pop();
  void LayoutChar(int code);
  bool EmitChar(PointChain& chain, int code, FcPoint2d& pen);
  const FcTextStyle& StyleFor();
  void Paragraph();
  // Ends the line [lineStart_, stop) and gives the baseline of the next.
  double FinishLine(std::size_t stop);
  void AlignLine(std::size_t first, std::size_t stop, FcPoint2d& min, FcPoint2d& max);
  // The run of digits (and points when asked) after index i; i is left on
  // its last character.
  double Number(const std::vector<std::uint16_t>& codes, int count, int& i, bool decimals) const;
  std::string Name(const std::vector<std::uint16_t>& codes, int count, int& i) const;
  void ParseFontChoice(const std::string& choice);
  // The stack after the "S" at index i; i is left on its last code.
  void Stack(const std::vector<std::uint16_t>& codes, int count, int& i);
  double Align(double bottom, double centre, double top) const {
    return state_.verticalAlignment == 0 ? bottom : state_.verticalAlignment == 1 ? centre : top;
  }

  FcMText& text_;
  const FcTextStyle& style_;
  FcGraph* graph_;
  std::unique_ptr<FcTextStyle> workStyle_;
  MTextFormatState state_;
  std::vector<MTextFormatState> stack_;
  std::vector<PointChain> chains_;
  FcPoint2d origin_;
  FcPoint2d pen_;
  double lineHeight_ = 0.0;
  double width_ = 0.0;
  double lineAdvance_ = 0.0;
  std::size_t lineStart_ = 0;
  bool hasBreak_ = false;
  std::size_t breakAt_ = 0;
  FcPoint2d breakPen_;
  bool firstLine_ = true;
};

void MTextLayout::Push() {
  if (static_cast<int>(stack_.size()) < kMTextMaxNesting) stack_.push_back(state_);
}

void MTextLayout::Pop() {
  if (stack_.empty()) return;
  state_ = stack_.back();
  stack_.pop_back();
}

const FcTextStyle& MTextLayout::StyleFor() {
  if (state_.fontName.empty()) return style_;
  if (workStyle_ == nullptr) {
    workStyle_ = std::make_unique<FcTextStyle>();
    workStyle_->CopyFrom(style_);
  }
  if (state_.fontIsShapeFile) {
    workStyle_->SetFontFile(state_.fontName);
  } else {
    workStyle_->UseTrueTypeFace(state_.fontName);
    workStyle_->SetBold(state_.bold ? 1 : 0);
    workStyle_->SetItalic(state_.italic ? 1 : 0);
  }
  return *workStyle_;
}

bool MTextLayout::EmitChar(PointChain& chain, int code, FcPoint2d& pen) {
  const double advance = StyleFor().GetGlyph(chain, code);
  const double s = state_.height * 0.01;
  const FcPoint2d start = pen;
  pen.x += s * state_.widthFactor * advance;
  if (chain.PointCount() == 0) return true;
  FcMatrix2d m;
  ScaleMatrix(s * state_.widthFactor, s, m);
  FcMatrix2d shear;
  shear.b = std::tan(state_.obliqueAngle);
  MultiplyMatrix(m, shear);
  FcMatrix2d move;
  TranslationMatrix(start.x, start.y, move);
  MultiplyMatrix(m, move);
  chain.Transform(m);
  chain.colour = GlyphColour(text_, state_.colour);
  return true;
}

void MTextLayout::LayoutChar(int code) {
  PointChain chain;
  FcPoint2d glyphPen = pen_;
  const double h = state_.height;
  glyphPen.y = Align(pen_.y, pen_.y + (lineHeight_ - h) / 2.0, pen_.y + lineHeight_ - h);
  EmitChar(chain, code, glyphPen);
  pen_.x = glyphPen.x;
  if (code == kSpace) {
    hasBreak_ = true;
    breakAt_ = chains_.size();
    breakPen_ = pen_;
  }
  if (chain.PointCount() == 0) return;
  FcPoint2d low, high;
  chain.GetExtents(low, high);
  chains_.push_back(std::move(chain));
  if (!(width_ > 0.0 && high.x - origin_.x > width_ && hasBreak_)) return;
  const double newY = FinishLine(breakAt_);
  Shift(chains_, breakAt_, chains_.size(), origin_.x - breakPen_.x, newY - breakPen_.y);
  lineStart_ = breakAt_;
  hasBreak_ = false;
  firstLine_ = false;
  pen_ = {glyphPen.x - breakPen_.x + origin_.x, newY};
}

double MTextLayout::FinishLine(std::size_t stop) {
  FcPoint2d min = origin_;
  FcPoint2d max = origin_;
  if (stop > 0) {
    // A line without glyphs of its own measures the last one before it.
    const std::size_t first = lineStart_ < stop ? lineStart_ : stop - 1;
    ChainExtents(chains_, first, std::max(stop, first + 1), min, max);
    AlignLine(lineStart_, stop, min, max);
  }
  return min.y - lineAdvance_;
}

void MTextLayout::AlignLine(std::size_t first, std::size_t stop, FcPoint2d& min, FcPoint2d& max) {
  const int column = (text_.GetAttachment() - 1) % 3;
  double dx = 0.0;
  if (column == 1) dx = (width_ - (max.x - min.x)) / 2.0;
  if (column == 2) dx = width_ - (max.x - origin_.x);
  double dy = 0.0;
  if (firstLine_) {
    dy = origin_.y - max.y;
  } else if (text_.GetLineSpacingStyle() == 1 && max.y - pen_.y > lineHeight_) {
    dy = -((max.y - pen_.y) - lineHeight_);
  }
  Shift(chains_, first, stop, dx, dy);
  min = {min.x + dx, min.y + dy};
  max = {max.x + dx, max.y + dy};
}

void MTextLayout::Paragraph() {
  pen_ = {origin_.x, FinishLine(chains_.size())};
  firstLine_ = false;
  lineStart_ = chains_.size();
  hasBreak_ = false;
}

double MTextLayout::Number(const std::vector<std::uint16_t>& codes, int count, int& i, bool decimals) const {
  std::string digits;
  int j = i + 1;
  while (j < count && (IsDigit(codes[j]) || (decimals && codes[j] == '.'))) {
    if (digits.size() < kMaxRun) digits += static_cast<char>(codes[j]);
    ++j;
  }
  i = j - 1;
  double value = 0.0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

std::string MTextLayout::Name(const std::vector<std::uint16_t>& codes, int count, int& i) const {
  std::string name;
  int j = i + 1;
  for (; j < count && codes[j] != ';'; ++j) {
    if (name.size() >= MTextFormatState::kMaxFontName) continue;
    // A double-byte character keeps both its bytes.
    if (codes[j] > 0xFF) name += static_cast<char>(codes[j] >> 8);
    name += static_cast<char>(codes[j] & 0xFF);
  }
  i = j;
  return name.substr(0, MTextFormatState::kMaxFontName);
}

void MTextLayout::ParseFontChoice(const std::string& choice) {
  std::size_t at = 0;
  bool first = true;
  while (at <= choice.size()) {
    const std::size_t bar = choice.find('|', at);
    const std::string piece = choice.substr(at, bar == std::string::npos ? std::string::npos : bar - at);
    if (piece.empty()) return;
    if (first) state_.fontName = piece;
    if (!first && piece[0] == 'b') state_.bold = piece.size() > 1 && piece[1] == '1';
    if (!first && piece[0] == 'i') state_.italic = piece.size() > 1 && piece[1] == '1';
    first = false;
    if (bar == std::string::npos) return;
    at = bar + 1;
  }
}

void MTextLayout::Stack(const std::vector<std::uint16_t>& codes, int count, int& i) {
  // (code, escaped) pairs up to the ";".
  std::vector<std::pair<int, bool>> collected;
  int kind = -1;
  int j = i + 1;
  for (; j < count && codes[j] != ';'; ++j) {
    if (collected.size() >= kMaxRun) continue;
    if (codes[j] == '\\' && j + 1 < count) {
      collected.push_back({codes[++j], true});
      continue;
    }
    if (codes[j] == '/') kind = 0;
    if (codes[j] == '#') kind = 1;
    if (codes[j] == '^') kind = 2;
    collected.push_back({codes[j], false});
  }
  // Without a separator the code is dropped and its text read as text.
  if (kind < 0) return;
  i = j;
  const double h = state_.height;
  const double H = lineHeight_;
  const FcPoint2d p = pen_;
  FcPoint2d pen{p.x, kind == 1 ? Align(p.y + h, p.y + H / 2.0, p.y + H - h)
                               : Align(p.y + h * 8.0 / 7.0, p.y + H / 2.0 + h / 14.0, p.y + H - h)};
  const std::size_t stackStart = chains_.size();
  std::size_t lowerStart = chains_.size();
  double end = p.x;
  double upperEnd = p.x;
  bool skipSpace = false;
  for (const auto& [code, escaped] : collected) {
    if (skipSpace && code == kSpace && !escaped) {
      skipSpace = false;
      continue;
    }
    skipSpace = false;
    const bool separator = !escaped && (code == '/' || code == '#' || code == '^');
    if (!separator) {
      PointChain chain;
      EmitChar(chain, code, pen);
      if (chain.PointCount() > 0) chains_.push_back(std::move(chain));
      end = std::max(end, pen.x);
      continue;
    }
    if (code == '#' && kind == 1) {
      const double w = h / 2.0;
      double centre = pen.x;
      if (chains_.size() > stackStart) {
        FcPoint2d low, high;
        chains_.back().GetExtents(low, high);
        centre = (high.x + pen.x) / 2.0;
      }
      const double bottom = Align(p.y + w, p.y + H / 2.0 - w, p.y + H - 2.0 * h);
      chains_.push_back(StrokeChain({centre - w, bottom}, {centre + w, bottom + h}));
      pen.y = Align(p.y, p.y + H / 2.0 - h, p.y + H - 2.0 * h);
      continue;
    }
    pen = {p.x, Align(p.y, p.y + H / 2.0 - h * 15.0 / 14.0, p.y + H - h * 29.0 / 14.0)};
    if (kind == 0) {
      upperEnd = end;
      lowerStart = chains_.size();
      end = p.x;
    }
    skipSpace = code == '^';
  }
  if (kind == 0) {
    const double lowerEnd = end;
    if (upperEnd > lowerEnd) {
      Shift(chains_, lowerStart, chains_.size(), (upperEnd - lowerEnd) / 2.0, 0.0);
      end = upperEnd;
    } else if (upperEnd < lowerEnd) {
      Shift(chains_, stackStart, lowerStart, (lowerEnd - upperEnd) / 2.0, 0.0);
    }
  }
  if (width_ > 0.0 && end - origin_.x > width_) {
    const double newY = FinishLine(stackStart);
    const double dx = origin_.x - pen_.x;
    Shift(chains_, stackStart, chains_.size(), dx, newY - pen_.y);
    end += dx;
    firstLine_ = false;
    lineStart_ = stackStart;
    pen_ = {origin_.x, newY};
  }
  if (kind == 0) {
    const double bar = Align(pen_.y + h * 15.0 / 14.0, pen_.y + H / 2.0, pen_.y + H - h * 15.0 / 14.0);
    chains_.push_back(StrokeChain({pen_.x, bar}, {end, bar}));
  }
  pen_.x = end;
  hasBreak_ = true;
  breakAt_ = chains_.size();
  breakPen_ = pen_;
}

void MTextLayout::Scan(const std::vector<std::uint16_t>& codes, int count) {
  for (int i = 0; i < count; ++i) {
    const int c = codes[i];
    if (c == '{') {
      Push();
      continue;
    }
    if (c == '}') {
      Pop();
      continue;
    }
    if (c != '\\' || i == count - 1) {
      LayoutChar(c);
      continue;
    }
    const int code = codes[++i];
    switch (code) {
      case '\\':
      case '{':
      case '}':
        LayoutChar(code);
        break;
      case 'P':
        Paragraph();
        break;
      case 'A':
        if (i + 1 < count) state_.verticalAlignment = codes[i + 1] == '0' ? 0 : codes[i + 1] == '1' ? 1 : 2;
        i += 2;
        break;
      case 'C':
        state_.colour = static_cast<std::int16_t>(std::min(Number(codes, count, i, false), 32767.0));
        ++i;
        break;
      case 'H': {
        const double value = Number(codes, count, i, true);
        if (value > 0.0 && i + 1 < count && codes[i + 1] == 'x') {
          state_.height *= value;
          ++i;
        } else if (value > 0.0) {
          state_.height = value;
        }
        ++i;
        break;
      }
      case 'W': {
        const double value = Number(codes, count, i, true);
        if (value > 0.0) state_.widthFactor = value;
        ++i;
        break;
      }
      case 'Q':
        state_.obliqueAngle = Number(codes, count, i, true) * kDegToRad;
        ++i;
        break;
      case 'T': {
        const double value = Number(codes, count, i, true);
        if (value >= 0.25 && value <= 4.0) state_.tracking = value;
        ++i;
        break;
      }
      case 'F':
        state_.fontName = Name(codes, count, i);
        state_.fontIsShapeFile = true;
        break;
      case 'f':
        ParseFontChoice(Name(codes, count, i));
        state_.fontIsShapeFile = false;
        break;
      case 'L':
      case 'l':
        state_.underline = code == 'L';
        break;
      case 'O':
      case 'o':
        state_.overline = code == 'O';
        break;
      case 'S':
        Stack(codes, count, i);
        break;
      default:
        break;
    }
  }
}

bool MTextLayout::Finish(FcPoint2d& min, FcPoint2d& max) {
  min = max = origin_;
  if (chains_.empty()) return false;
  FinishLine(chains_.size());
  ChainExtents(chains_, 0, chains_.size(), min, max);
  min.y = std::min(min.y, pen_.y);
  return true;
}

// The record of the handle, else the drawing's current style.
const FcTextStyle* StyleIn(const FcGraph& graph, FcHandle handle) {
  const FcTextStyle* style = graph.GetTextStyleList().FindByHandle(handle);
  return style != nullptr ? style : graph.GetCurrentTextStyle();
}

}  // namespace

void RenderMText(FcMText& text, const MTextRenderRequest& request) {
  if (text.GetContents().empty()) return;
  FcPen pen;
  if (request.box == nullptr && request.sink != nullptr &&
      !ResolvePen(text, request.sink->GetPenContext(), pen)) {
    return;
  }
  FcGraph* graph = request.graph != nullptr ? request.graph : OwnerGraphOf(text);
  const FcTextStyle* style = request.graph != nullptr ? StyleIn(*request.graph, text.GetStyleHandle()) : text.GetStyle();
  if (style == nullptr) return;
  std::vector<std::uint16_t> codes;
  const int codePage = graph != nullptr ? graph->GetSysVars().dwgcodepage : kDefaultCodePage;
  const int count = style->DecodeText(text.GetContents(), codePage, false, codes);
  MTextLayout layout(text, *style, graph);
  layout.Scan(codes, count);
  FcPoint2d min, max;
  const bool glyphs = layout.Finish(min, max);
  text.SetLaidOutSize(max.x - min.x, max.y - min.y);
  if (request.box != nullptr) {
    *request.box = {min, FcPoint2d{min.x, max.y}, max, FcPoint2d{max.x, min.y}};
    if (request.grownBox != nullptr) {
      const double g = request.margin;
      *request.grownBox = {FcPoint2d{min.x - g, min.y - g}, FcPoint2d{min.x - g, max.y + g},
                           FcPoint2d{max.x + g, max.y + g}, FcPoint2d{max.x + g, min.y - g}};
    }
  }
  if (!glyphs) return;
  const FcPoint2d at = text.GetInsertionPoint();
  const int column = (text.GetAttachment() - 1) % 3;
  const int row = (text.GetAttachment() - 1) / 3;
  const double dx = column == 1 ? at.x - (min.x + max.x) / 2.0 : column == 2 ? at.x - max.x : 0.0;
  const double dy = row == 1 ? at.y - (min.y + max.y) / 2.0 : row == 2 ? at.y - min.y : 0.0;
  FcMatrix2d placement;
  TranslationMatrix(dx, dy, placement);
  FcMatrix2d turn;
  RotationMatrix(at.x, at.y, text.GetDirectionAngle(), turn);
  MultiplyMatrix(placement, turn);
  if (request.box != nullptr) {
    for (FcPoint2d& corner : *request.box) TransformPoint(placement, corner);
    if (request.grownBox != nullptr) {
      for (FcPoint2d& corner : *request.grownBox) TransformPoint(placement, corner);
    }
    return;
  }
  std::vector<PointChain>& chains = layout.Chains();
  TransformChains(chains, 0, chains.size(), placement);
  if (request.explodeSet != nullptr) {
    ExplodeTextChains(chains, text, *request.explodeSet);
    return;
  }
  if (request.sink == nullptr) return;
  request.sink->SetPen(pen);
  for (const PointChain& chain : chains) {
    // Glyphs in the entity's own colour go back to its pen after one in
    // a colour of its own.
    if (chain.colour == -1) request.sink->SetPen(pen);
    DrawPointChain(*request.sink, chain, text.GetHandle());
  }
}
