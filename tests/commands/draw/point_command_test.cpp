#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "core/resbuf.h"
#include "entities/point_entity.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"

namespace {

using PointCommandTest = CommandScriptTest;

TEST_F(PointCommandTest, ReportsTheStyleAndPlacesOnePointTurnedAFullCircle) {
  script_.OnWindowThread([this] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.pdmode = 3;
    vars.pdsize = 0.0;
    vars.luprec = 4;
    return 0;
  });
  ASSERT_TRUE(script_.Run({"point", "2,3"}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"Current point mode : PDMODE=3, PDSIZE=0.0000"});
  EXPECT_EQ(script_.Frame().Prompts(), std::vector<std::string>{"Settings/Multiple/<Location of point>"});
  const std::vector<const FcPointEnt*> points = EntitiesOf<FcPointEnt>();
  ASSERT_EQ(points.size(), 1u);
  ExpectPointNear(points[0]->GetLocation(), {2, 3}, 1e-9);
  EXPECT_DOUBLE_EQ(points[0]->GetAngle(), kTwoPi);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Point"});
}

TEST_F(PointCommandTest, MultiplePointsUndoTogether) {
  ASSERT_TRUE(script_.Run({"point", "m", "1,1", "2,2", ""}));
  EXPECT_EQ(EntitiesOf<FcPointEnt>().size(), 2u);
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Point"});
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcPointEnt>().empty());
}

TEST_F(PointCommandTest, NothingPlacedLeavesNoUndoItem) {
  ASSERT_TRUE(script_.Run({"point", "m", ""}));
  ASSERT_TRUE(script_.Run({"point", ""}));
  EXPECT_TRUE(EntitiesOf<FcPointEnt>().empty());
  EXPECT_TRUE(UndoNames().empty());
}

TEST_F(PointCommandTest, SettingsRunsThePointStyleCommandUnderItsName) {
  // Found before the table's own row.
  DrawingCommands().push_front({"ddPType", [] {
                                  PrintMessage("style command as " + CurrentCommandName());
                                  return kStatusDone;
                                }});
  ASSERT_TRUE(script_.Run({"point", "s"}));
  EXPECT_EQ(LastPrinted(), "style command as ddPType");
  EXPECT_TRUE(UndoNames().empty());
}

}  // namespace
