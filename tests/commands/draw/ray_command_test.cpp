#include <string>
#include <vector>

#include "tests/support/command_script.h"
#include "entities/ray.h"

namespace {

using RayCommandTest = CommandScriptTest;

TEST_F(RayCommandTest, DirectionRunsFromTheOriginThroughTheSecondPoint) {
  struct Case {
    const char* through;
    FcPoint2d direction;
  };
  const Case cases[] = {
      {"1,4", {0, 1}},
      {"4,5", {0.6, 0.8}},
      {"1,1", {1, 0}},  // on the origin
  };
  for (const Case& c : cases) {
    ScriptedView script;
    ASSERT_TRUE(RunScript(script, "ray", {"1,1", c.through})) << c.through;
    const std::vector<const FcRay*> rays = EntitiesIn<FcRay>(script);
    ASSERT_EQ(rays.size(), 1u) << c.through;
    ExpectPointNear(rays[0]->GetBasePoint(), {1, 1}, 1e-9, c.through);
    ExpectPointNear(rays[0]->GetDirection(), c.direction, 1e-9, c.through);
  }
}

TEST_F(RayCommandTest, OneRayWithItsOwnUndoItem) {
  ASSERT_TRUE(script_.Run({"ray", "0,0", "2,0"}));
  EXPECT_EQ(script_.Frame().Prompts(), (std::vector<std::string>{"Input origin", "Directiont"}));
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Ray"});
  ASSERT_TRUE(script_.Run({"ray", ""}));
  EXPECT_EQ(EntitiesOf<FcRay>().size(), 1u);
}

}  // namespace
