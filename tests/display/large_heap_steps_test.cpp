#include "display/large_heap_steps.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>

namespace {

bool LargePagesOff() { return prctl(PR_GET_THP_DISABLE, 0, 0, 0, 0) == 1; }

// The process's large-page setting is switched off while any holder lives
// and comes back as it was, also when it was off before: it must not stay
// changed for the rest of the run, nor for the programs started later.
TEST(SmallPagesWhileThreadsFault, PutsBackWhatTheProcessHad) {
  const bool original = LargePagesOff();
  for (const bool offBefore : {false, true}) {
    SCOPED_TRACE(offBefore);
    prctl(PR_SET_THP_DISABLE, offBefore ? 1 : 0, 0, 0, 0);
    {
      const SmallPagesWhileThreadsFault outer;
      EXPECT_TRUE(LargePagesOff());
      { const SmallPagesWhileThreadsFault inner; }
      EXPECT_TRUE(LargePagesOff()) << "the inner holder ended the outer one's setting";
    }
    EXPECT_EQ(LargePagesOff(), offBefore);
  }
  prctl(PR_SET_THP_DISABLE, original ? 1 : 0, 0, 0, 0);
}

}  // namespace
