#include <numbers>
#include <string>
#include <vector>

#include "tests/support/command_script.h"

namespace {

using PointInquiryTest = CommandScriptTest;

struct UserAngleCase {
  double angbase;
  int angdir;
  const char* angle;
};

class DistanceAngleTest : public CommandScriptTest, public testing::WithParamInterface<UserAngleCase> {};

TEST_P(DistanceAngleTest, ReportsBothPointsLengthUserAngleAndDeltas) {
  const UserAngleCase& c = GetParam();
  script_.OnWindowThread([this, &c] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.angbase = c.angbase;
    vars.angdir = static_cast<std::uint8_t>(c.angdir);
    return 0;
  });
  ASSERT_TRUE(script_.Run({"distance", "0,0", "3,4"}));
  EXPECT_EQ(script_.Frame().Prompts(), (std::vector<std::string>{"Input first point", "Input second point"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "  From point: X= 0.0000    Y= 0.0000",
                           "  To point: X= 3.0000    Y= 4.0000",
                           std::string("  Length = 5.0000  ,  Angle = ") + c.angle,
                           "  Delta X = 3.0000  ,  Delta Y = 4.0000",
                       }));
  EXPECT_TRUE(UndoNames().empty());
}

INSTANTIATE_TEST_SUITE_P(AngleConventions, DistanceAngleTest,
                         testing::Values(UserAngleCase{0.0, 0, "53.1301"}, UserAngleCase{0.0, 1, "306.8699"},
                                         UserAngleCase{std::numbers::pi / 2, 0, "323.1301"}),
                         // Named by the settings: the default name shows the case's bytes, pointer
                         // included, so it changed from run to run and the filter found no test.
                         [](const testing::TestParamInfo<UserAngleCase>& info) {
                           return "Base" + std::to_string(static_cast<int>(info.param.angbase * 180 / std::numbers::pi)) +
                                  "Dir" + std::to_string(info.param.angdir);
                         });

TEST_F(PointInquiryTest, DistanceIsReadInTheCurrentUcs) {
  // A UCS turned a quarter left of the world and moved: typed points are
  // UCS points, and the angle must not pick up the turn.
  script_.OnWindowThread([this] { return script_.Drawing().GetSysVars().SetUcs({5, 5}, {5, 6}, {4, 5}); });
  ASSERT_TRUE(script_.Run({"distance", "1,1", "4,5"}));
  EXPECT_EQ(Printed(), (std::vector<std::string>{
                           "  From point: X= 1.0000    Y= 1.0000",
                           "  To point: X= 4.0000    Y= 5.0000",
                           "  Length = 5.0000  ,  Angle = 53.1301",
                           "  Delta X = 3.0000  ,  Delta Y = 4.0000",
                       }));
}

TEST_F(PointInquiryTest, EscAtEitherPointPrintsNothing) {
  ASSERT_TRUE(script_.Run({"distance", kEsc}));
  ASSERT_TRUE(script_.Run({"distance", "1,1", ""}));
  EXPECT_TRUE(Printed().empty());
}

TEST_F(PointInquiryTest, IdReportsThePointInTheCurrentUcs) {
  script_.OnWindowThread([this] {
    FcSystemVar& vars = script_.Drawing().GetSysVars();
    vars.luprec = 2;
    return vars.SetUcs({5, 5}, {5, 6}, {4, 5});
  });
  ASSERT_TRUE(script_.Run({"id", "2,-3"}));
  EXPECT_EQ(script_.Frame().Prompts(), std::vector<std::string>{"Input point"});
  EXPECT_EQ(Printed(), std::vector<std::string>{"  point: X= 2.00    Y= -3.00"});
  ASSERT_TRUE(script_.Run({"id", kEsc}));
  EXPECT_EQ(Printed().size(), 1u);
}

}  // namespace
