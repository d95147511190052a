#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>
#include <vector>

#include "commands/command_families.h"
#include "core/resbuf.h"
#include "database/object.h"
#include "platform/recording_frame_link.h"
#include "tests/support/program_commands_scope.h"
#include "shell/command_aliases.h"
#include "shell/command_registry.h"

namespace {

using Pieces = std::vector<std::string>;

Pieces QueueContents(const CommandQueue& queue) { return Pieces(queue.begin(), queue.end()); }

class FrameLinkScope {
 public:
  FrameLinkScope() { SetFrameLink(&link); }
  ~FrameLinkScope() { SetFrameLink(nullptr); }
  RecordingFrameLink link;
};

// The command table, as the user knows it: each name in its list and only
// there, found in any case.
TEST(CommandTableTest, EveryNameResolvesInItsOwnList) {
  ProgramCommandsScope commands;
  const char* applicationNames[] = {"New",   "Quit",     "Open",      "Help",    "MenuLoad",
                                    "About", "Homepage", "dsettings", "Options"};
  const char* drawingNames[] = {"Redraw",
                                "Regen",
                                "Zoom",
                                "Pan",
                                "DrawOrder",
                                "TextToFront",
                                "Line",
                                "Circle",
                                "Arc",
                                "DText",
                                "Point",
                                "Solid",
                                "Trace",
                                "Pline",
                                "XLine",
                                "Ray",
                                "Ellipse",
                                "MText",
                                "Rectangle",
                                "Hatch",
                                "bHatch",
                                "SPLine",
                                "Leader",
                                "Polygon",
                                "Donut",
                                "Divide",
                                "Measure",
                                "CommonTangent",
                                "CommonTangentCircle",
                                "revcloud",
                                "FrameText",
                                "Tablet",
                                "Sketch",
                                "Change",
                                "Erase",
                                "Move",
                                "Copy",
                                "Rotate",
                                "Scale",
                                "Stretch",
                                "Break",
                                "Extend",
                                "Trim",
                                "Mirror",
                                "Explode",
                                "Offset",
                                "Array",
                                "PEdit",
                                "Chamfer",
                                "Fillet",
                                "ChangeWidth",
                                "DDEdit",
                                "ScaleText",
                                "Arc2Circle",
                                "SPLinEdit",
                                "HatchEdit",
                                "MatchProp",
                                "Lengthen",
                                "Save",
                                "SaveAs",
                                "QSave",
                                "Close",
                                "Export",
                                "plot",
                                "print",
                                "ddemodes",
                                "Distance",
                                "List",
                                "id",
                                "Area",
                                "-Linetype",
                                "linetype",
                                "Style",
                                "Layer",
                                "Purge",
                                "ai_molc",
                                "Color",
                                "UCS",
                                "Units",
                                "ddPType",
                                "Undo",
                                "Redo",
                                "-Block",
                                "Block",
                                "-Insert",
                                "Insert",
                                "WBlock",
                                "AttDef",
                                "AttEdit",
                                "AttExt",
                                "copyclip",
                                "cutclip",
                                "pasteclip",
                                "DimStyle",
                                "-DimStyle",
                                "dim",
                                "DimAligned",
                                "DimLinear",
                                "DimHorizon",
                                "DimVertical",
                                "DimAngular",
                                "DimDiameter",
                                "DimRadius",
                                "DimOrdinate",
                                "DimCenter",
                                "DimBaseLine",
                                "DimContinue",
                                "Tolerance",
                                "DimUpdate",
                                "DimEdit",
                                "DimTEdit",
                                "ImageAdjust",
                                "ImageAttach",
                                "Image",
                                "ImageFrame",
                                "SetVar",
                                "celtype",
                                "cecolor",
                                "clayer",
                                "mirrtext",
                                "splinetype",
                                "splinesegs",
                                "splframe",
                                "qTextMode",
                                "UCSIcon",
                                "angbase",
                                "angdir",
                                "attdisp",
                                "attreq",
                                "attdia",
                                "delobj",
                                "DrawOrderCtl",
                                "ZoomFactor"};
  for (const char* name : applicationNames) {
    EXPECT_NE(FindCommand(ApplicationCommands(), name), nullptr) << name;
    EXPECT_EQ(FindCommand(DrawingCommands(), name), nullptr) << name;
  }
  for (const char* name : drawingNames) {
    std::string upper(name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(FindCommand(DrawingCommands(), upper), nullptr) << name;
    EXPECT_EQ(FindCommand(ApplicationCommands(), name), nullptr) << name;
  }
  EXPECT_EQ(std::distance(DrawingCommands().begin(), DrawingCommands().end()), std::size(drawingNames));
  EXPECT_EQ(std::distance(ApplicationCommands().begin(), ApplicationCommands().end()), std::size(applicationNames));
}

// Registration refuses a name it already holds without a word, so a name
// put into two families would silently lose one of its rows.
TEST(CommandTableTest, NoNameIsInTwoRows) {
  const std::vector<CommandRow> table = CommandTable();
  for (auto row = table.begin(); row != table.end(); ++row)
    for (auto later = std::next(row); later != table.end(); ++later)
      EXPECT_FALSE(EqualsNoCase(row->name, later->name)) << row->name;
}

// The program's own alias file: every alias leads to a command of the
// table, and no alias hides a command name or an earlier alias.
TEST(ProgramAliasFileTest, EveryAliasNamesACommand) {
  AliasTable table;
  LoadAliasFile(table, std::string(KOVRA_SOURCE_DIR) + "/" + kAliasFileName);
  ASSERT_FALSE(table.entries.empty());
  ProgramCommandsScope commands;
  std::vector<std::string> seen;
  for (const AliasEntry& entry : table.entries) {
    Pieces pieces = SplitPieces(entry.expansion);
    ASSERT_FALSE(pieces.empty()) << entry.alias;
    EXPECT_TRUE(FindCommand(ApplicationCommands(), pieces[0]) || FindCommand(DrawingCommands(), pieces[0]))
        << entry.alias;
    EXPECT_FALSE(FindCommand(ApplicationCommands(), entry.alias) || FindCommand(DrawingCommands(), entry.alias))
        << entry.alias;
    for (const std::string& earlier : seen) EXPECT_FALSE(EqualsNoCase(earlier, entry.alias)) << entry.alias;
    seen.push_back(entry.alias);
  }
  CommandQueue queue;
  EXPECT_FALSE(ExpandAlias("l", table, queue));
  EXPECT_EQ(QueueContents(queue), Pieces{"Line"});
}

}  // namespace
