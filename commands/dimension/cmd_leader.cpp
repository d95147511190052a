#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/dimension/annotation_drags.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/leader.h"
#include "entities/mtext.h"
#include "entities/mtext_layout.h"
#include "shell/input_request.h"

namespace {

FcPoint2d Polar(const FcPoint2d& from, double length, double angle) {
  return {from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
}

// The Format option: false when the answer ends the command.
bool AskFormat(FcLeader& leader) {
  SetKeywords("Spline STraight", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Spline/STraight", keyword, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  leader.SetPathType(keyword == "Spline" ? 1 : 0);
  return true;
}

// The points after the first two, the last vertex following the cursor;
// false when the command ends without a leader.
bool AskVertices(FcGraph& graph, FcLeader& leader) {
  FcDragLeader drag(leader);
  for (;;) {
    SetDragObject(&drag);
    SetKeywords("Format Undo", 0);
    FcPoint2d point;
    std::string text;
    const int status = GetPoint(nullptr, "To point or [Format/Undo]", point, text);
    if (status == FC_INPUT_OK) {
      const FcPoint2d world = UcsToWorldPoint(graph, point);
      leader.SetVertex(leader.GetVertexCount() - 1, world);
      leader.AppendVertex(world);
    } else if (status == FC_INPUT_KEYWORD && text == "Format") {
      if (!AskFormat(leader)) return false;
    } else if (status == FC_INPUT_KEYWORD && text == "Undo") {
      if (leader.GetVertexCount() > 2) leader.RemoveLastVertex();
    } else if (status == FC_INPUT_NONE || status == FC_INPUT_KEYWORD) {
      return true;
    } else {
      return false;
    }
  }
}

// The annotation lines joined by paragraph codes; false when the command
// ends.
bool AskAnnotation(FcLeader& leader, std::string& contents) {
  contents.clear();
  for (const char* prompt = "First line text";; prompt = "Next line text") {
    SetTempEntity(&leader);
    std::string line;
    const int status = GetString(prompt, line);
    if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
    if (status == FC_INPUT_NONE || line.empty()) return true;
    if (!contents.empty()) contents += "\\P";
    contents += line;
  }
}

// The text at the leader's end, placed, styled and measured as the style
// asks; the leader gets its hook and annotation size.
std::unique_ptr<FcMText> MakeAnnotation(FcGraph& graph, FcDimStyle& style, FcLeader& leader,
                                        const std::string& contents) {
  auto text = std::unique_ptr<FcMText>(NewEntityOrReport<FcMText>());
  if (text == nullptr) return nullptr;
  const double arrow = style.GetDimAsz() * style.GetDimScale();
  const FcPoint2d xDirection = graph.GetSysVars().GetUcsXDir();
  const double u = std::atan2(xDirection.y, xDirection.x);
  const bool leftward = leader.GetHookDirection() == 1;
  const FcPoint2d last = leader.GetVertices().back();
  text->SetXDirection({std::cos(u), std::sin(u)});
  FcPoint2d base = last;
  if (style.GetDimtad() != 0) {
    if (leader.GetPathType() == 0) leader.AppendVertex(Polar(last, arrow, leftward ? u + kPi : u));
    base = Polar(last, style.GetDimgap() * style.GetDimScale(), u + kHalfPi);
  } else {
    leader.SetHookLine(0);
  }
  text->SetInsertionPoint(Polar(base, arrow, leftward ? u + kPi : u));
  text->SetAttachment(leftward ? kMTextBottomRight : kMTextBottomLeft);
  text->SetContents(std::string_view(contents));
  FcTextStyle* textStyle = graph.GetTextStyleList().FindByHandle(style.GetDimTxSty());
  if (textStyle == nullptr) textStyle = graph.GetCurrentTextStyle();
  text->SetStyle(textStyle);
  text->SetHeight(textStyle != nullptr && textStyle->GetFixedHeight() > 0.0 ? textStyle->GetFixedHeight()
                                                                           : style.GetDimTxt());
  std::array<FcPoint2d, 4> box{};
  MTextRenderRequest measure;
  measure.box = &box;
  RenderMText(*text, measure);
  const double width = text->GetLaidOutWidth() + arrow;
  text->SetReferenceWidth(width);
  leader.SetAnnotationWidth(width);
  leader.SetAnnotationHeight(text->GetLaidOutHeight());
  return text;
}

}  // namespace

int CmdLeader() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Leader", FcUndoSection::Steps::kWholeRun);
  FcPoint2d from;
  FcPoint2d to;
  std::string text;
  if (GetPoint(nullptr, "From point", from, text) != FC_INPUT_OK) return kStatusDone;
  if (GetPoint(&from, "To point", to, text) != FC_INPUT_OK) return kStatusDone;
  auto leader = std::unique_ptr<FcLeader>(NewEntityOrReport<FcLeader>());
  FcDimStyle* style = graph->GetCurrentDimStyle();
  if (leader == nullptr || style == nullptr) return kStatusDone;
  leader->SetDimStyle(style);
  const FcPoint2d xDirection = graph->GetSysVars().GetUcsXDir();
  leader->SetHorizontalDirection(xDirection);
  const FcPoint2d start = UcsToWorldPoint(*graph, from);
  const FcPoint2d end = UcsToWorldPoint(*graph, to);
  leader->AppendVertex(start);
  leader->AppendVertex(end);
  leader->AppendVertex(end);
  if (!AskVertices(*graph, *leader)) return kStatusDone;
  leader->RemoveLastVertex();
  const int count = leader->GetVertexCount();
  if (count < 2) return kStatusDone;
  const FcPoint2d& last = leader->GetVertices()[static_cast<std::size_t>(count) - 1];
  const FcPoint2d& previous = leader->GetVertices()[static_cast<std::size_t>(count) - 2];
  const double along = xDirection.x * (last.x - previous.x) + xDirection.y * (last.y - previous.y);
  leader->SetHookDirection(along < 0.0 ? 1 : 0);
  std::string contents;
  if (!AskAnnotation(*leader, contents)) return kStatusDone;
  if (contents.empty()) {
    leader->SetHookLine(0);
    section.AddCreated(leader.release());
    return kStatusDone;
  }
  std::unique_ptr<FcMText> annotation = MakeAnnotation(*graph, *style, *leader, contents);
  if (annotation == nullptr) return kStatusDone;
  FcMText* placed = annotation.get();
  if (!section.AddCreated(annotation.release())) return kStatusDone;
  placed->SetColor(style->GetDimClrt());
  graph->RedrawEntity(placed);
  leader->SetAnnotationHandle(placed->GetHandle());
  section.AddCreated(leader.release());
  graph->Redraw();
  return kStatusDone;
}
