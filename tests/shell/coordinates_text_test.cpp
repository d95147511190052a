#include <gtest/gtest.h>

#include <numbers>

#include "database/system_var.h"
#include "shell/coordinates_text.h"

namespace {

struct CoordinatesCase {
  short coords;
  bool withBase;
  std::uint8_t angdir;
  double angbase;
  FcPoint2d point;
  const char* expected;
};

// The base point is (1,1) where a case has one; decimal units with two
// places for distances and angles.
TEST(CoordinatesTextTest, FollowsCoordsBaseAndAngleDirection) {
  const double quarter = std::numbers::pi / 2;
  const CoordinatesCase cases[] = {
      {0, true, 0, 0.0, {4, 5}, ""},
      {1, true, 0, 0.0, {4, 5}, " 4.00, 5.00"},
      {2, false, 0, 0.0, {4, 5}, " 4.00, 5.00"},
      {2, true, 0, 0.0, {4, 5}, " 5.00<53.13"},
      {2, true, 1, 0.0, {4, 5}, " 5.00<306.87"},
      {2, true, 0, quarter, {1, 0}, " 1.00<180.00"},
      {2, true, 0, 0.0, {1, 1}, " 0.00<0.00"},
  };
  for (const CoordinatesCase& c : cases) {
    FcSystemVar vars;
    vars.coords = c.coords;
    vars.angdir = c.angdir;
    vars.angbase = c.angbase;
    vars.lunits = 2;
    vars.luprec = 2;
    vars.aunits = 0;
    vars.auprec = 2;
    const FcPoint2d base{1, 1};
    EXPECT_EQ(CoordinatesText(vars, c.point, c.withBase ? &base : nullptr), c.expected)
        << "coords " << c.coords << " angdir " << int(c.angdir) << " angbase " << c.angbase;
  }
}

}  // namespace
