#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "commands/settings/settings_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "entities/entity_listing.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/system_variable_edit.h"

namespace {

constexpr std::string_view kListed[] = {
    "angbase",   "angdir",    "aunits",     "auprec",     "area",        "attdia",       "attreq",      "attmode",
    "cecolor",   "celtscale", "clayer",     "celtype",    "chamfera",    "chamferb",     "chamferc",    "chamferd",
    "chammode",  "circlerad", "coords",     "delobj",     "dimadec",     "dimalt",       "dimaltd",     "dimaltf",
    "dimaltrnd", "dimalttd",  "dimalttz",   "dimaltu",    "dimaltz",     "dimapost",     "dimasz",      "dimatfit",
    "dimaunit",  "dimazin",   "dimblk",     "dimblk1",    "dimblk2",     "dimcen",       "dimclrd",     "dimclre",
    "dimclrt",   "dimdec",    "dimdle",     "dimdli",     "dimdsep",     "dimexe",       "dimexo",      "dimfrac",
    "dimgap",    "dimjust",   "dimldrblk",  "dimlfac",    "dimlim",      "dimlunit",     "dimpost",     "dimrnd",
    "dimsah",    "dimscale",  "dimsd1",     "dimsd2",     "dimse1",      "dimse2",       "dimsho",      "dimstyle",
    "dimsoxd",   "dimtad",    "dimtdec",    "dimtfac",    "dimtih",      "dimtix",       "dimtm",       "dimtmove",
    "dimtofl",   "dimtoh",    "dimtol",     "dimtolj",    "dimtp",       "dimtsz",       "dimtvp",      "dimtxt",
    "dimtxsty",  "dimtzin",   "dimunit",    "dimupt",     "dimzin",      "draworderctl", "dwgcodepage", "dwgname",
    "dwgprefix", "filletrad", "gridmode",   "gridunit",   "insname",     "InsBase",      "lastpoint",   "limmin",
    "limmax",    "ltscale",   "lunits",     "luprec",     "mirrtext",    "offsetdist",   "orthomode",   "osmode",
    "pdmode",    "pdsize",    "plinewid",   "polysides",  "qtextmode",   "snapang",      "snapbase",    "snapunit",
    "snapmode",  "splframe",  "splinesegs", "splinetype", "syscodepage", "textsize",     "textstyle",   "tracewid",
    "ucsicon",   "ucsorg",    "ucsxdir",    "ucsydir",    "useri1",      "useri2",       "useri3",      "useri4",
    "useri5",    "userr1",    "userr2",     "userr3",     "userr4",      "userr5",       "zoomfactor",
};

// A screenful of names between pauses.
constexpr std::size_t kNamesPerPause = 25;

// The value as the listing shows it: reals in the drawing's units and
// texts as they are, unlike the single variable's read-out; none for a
// variable without one.
std::optional<std::string> ListedValue(FcGraph& graph, const FcResBuf& value) {
  if (value.type == kResTypeReal) return FormatDrawingDistance(value.realValue, &graph);
  if (value.type == kResTypeString) return std::string(value.text != nullptr ? value.text : "");
  return ShownSysVarValue(graph, value);
}

}  // namespace

int ListSystemVariables() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  for (std::size_t i = 0; i < std::size(kListed); ++i) {
    FcResBuf value;
    if (graph->GetSysVar(kListed[i], value) == FcSysVarResult::kDone)
      if (std::optional<std::string> shown = ListedValue(*graph, value))
        PrintMessage(std::string(kListed[i]) + "\t" + *shown);
    if (i > 0 && i % kNamesPerPause == 0) {
      std::string text;
      if (GetString("Press ENTER key to continue", text) == FC_INPUT_CANCEL) return kStatusDone;
    }
  }
  return kStatusDone;
}
