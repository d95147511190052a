#include <cstdint>
#include <string>

#include "commands/command_support.h"
#include "commands/view/view_commands.h"
#include "core/resbuf.h"
#include "core/value_parse.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "shell/input_request.h"

namespace {

// Object snap would pull the window's corners onto entities, so it is off
// while the command runs, and back however the command ends.
class ObjectSnapOff {
 public:
  explicit ObjectSnapOff(FcSystemVar& vars) : vars_(vars), saved_(vars.osmode) { vars_.osmode = 0; }
  ObjectSnapOff(const ObjectSnapOff&) = delete;
  ObjectSnapOff& operator=(const ObjectSnapOff&) = delete;
  ~ObjectSnapOff() { vars_.osmode = saved_; }

 private:
  FcSystemVar& vars_;
  std::int32_t saved_;
};

// "2x" shows the drawing twice as large: the window shrinks by the number.
void ScaleView(FcGraph& graph, FcDisplaySurface* surface, double number) {
  if (surface != nullptr) surface->ZoomScale(1.0 / number);
  graph.Redraw();
}

void ZoomToWindow(FcGraph& graph, FcDisplaySurface* surface, const FcPoint2d& corner1, const FcPoint2d& corner2) {
  if (surface != nullptr) surface->ZoomWindow(corner1, corner2);
  graph.Redraw();
}

void ZoomByWindow(FcGraph& graph, FcDisplaySurface* surface, const FcPoint2d& firstUcs) {
  std::string text;
  FcPoint2d secondUcs;
  if (GetCorner(firstUcs, "Input the other corner", secondUcs, text) != FC_INPUT_OK) return;
  ZoomToWindow(graph, surface, UcsToWorldPoint(graph, firstUcs), UcsToWorldPoint(graph, secondUcs));
}

void ZoomByScale(FcGraph& graph, FcDisplaySurface* surface) {
  SetKeywords("", kInputRefuseEmpty | kInputRefuseZero | kInputRefuseNegative);
  double number = 0.0;
  std::string text;
  if (GetReal("Input the scale", number, text) != FC_INPUT_OK || !(number > 0.0)) return;
  ScaleView(graph, surface, number);
}

void ZoomPrevious(FcGraph& graph, FcDisplaySurface* surface) {
  if (surface == nullptr || !surface->PopView()) {
    PrintMessage("No previous view saved.");
    return;
  }
  graph.Redraw();
}

void ZoomByKeyword(FcGraph& graph, FcDisplaySurface* surface, const std::string& keyword) {
  if (keyword == "All" || keyword == "Extent") {
    if (surface != nullptr) surface->ZoomExtents();
    graph.Redraw();
  } else if (keyword == "Limits") {
    const FcSystemVar& vars = graph.GetSysVars();
    ZoomToWindow(graph, surface, vars.limmin, vars.limmax);
  } else if (keyword == "Scale") {
    ZoomByScale(graph, surface);
  } else if (keyword == "Previous") {
    ZoomPrevious(graph, surface);
  }
}

// A typed scale factor such as "2x" or "0.5X".
void ZoomByTypedFactor(FcGraph& graph, FcDisplaySurface* surface, std::string text) {
  if (text.empty()) return;
  const bool factor = text.back() == 'x' || text.back() == 'X';
  text.pop_back();
  double number = 0.0;
  if (!factor || !ParseReal(text, number) || !(number > 0.0)) {
    PrintMessage("Input Error!");
    return;
  }
  ScaleView(graph, surface, number);
}

}  // namespace

int CmdZoom() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  PrintMessage("Input the first point of window, or scale, or");
  const ObjectSnapOff snapOff(graph->GetSysVars());
  FcDisplaySurface* surface = graph->GetDisplaySurface();
  SetKeywords("All Extent Limits Scale Previous", kInputAnyText);
  std::string text;
  FcPoint2d firstUcs;
  const int status = GetPoint(nullptr, "[All/Extent/Limits/Scale/Previous]", firstUcs, text);
  if (status == FC_INPUT_OK) {
    ZoomByWindow(*graph, surface, firstUcs);
  } else if (status == FC_INPUT_KEYWORD) {
    ZoomByKeyword(*graph, surface, text);
  } else if (status == FC_INPUT_TEXT) {
    ZoomByTypedFactor(*graph, surface, text);
  }
  return kStatusDone;
}
