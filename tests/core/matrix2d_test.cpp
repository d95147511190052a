#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/matrix2d.h"
#include "tests/support/point_expect.h"

namespace {

FcPoint2d Apply(const FcMatrix2d& m, FcPoint2d p) {
  TransformPoint(m, p);
  return p;
}

TEST(MatrixBuilders, MapPointsAsTheirTransforms) {
  struct Case {
    const char* what;
    FcMatrix2d m;
    FcPoint2d in, out;
  };
  FcMatrix2d m;
  const auto build = [&m](auto builder) {
    m = {std::nan(""), std::nan(""), std::nan(""), std::nan(""), std::nan(""), std::nan("")};
    builder(m);
    return m;
  };
  const Case cases[] = {
      {"identity", build([](FcMatrix2d& o) { IdentityMatrix(o); }), {3, 4}, {3, 4}},
      {"translation", build([](FcMatrix2d& o) { TranslationMatrix(2, -1, o); }), {3, 4}, {5, 3}},
      {"scale", build([](FcMatrix2d& o) { ScaleMatrix(2, 3, o); }), {3, 4}, {6, 12}},
      {"flip x", build([](FcMatrix2d& o) { FlipXMatrix(o); }), {3, 4}, {-3, 4}},
      {"rotation", build([](FcMatrix2d& o) { RotationMatrix(1, 1, kHalfPi, o); }), {2, 1}, {1, 2}},
      {"scale about", build([](FcMatrix2d& o) { ScaleAboutPointMatrix(1, 1, 2, o); }), {2, 3},
       {3, 5}},
      {"scale xy about", build([](FcMatrix2d& o) { ScaleXYAboutPointMatrix(1, 1, 2, 3, o); }),
       {2, 3}, {3, 7}},
      {"mirror diagonal", build([](FcMatrix2d& o) { MirrorMatrix(0, 0, 1, 1, o); }), {1, 0},
       {0, 1}},
      {"mirror offset vertical", build([](FcMatrix2d& o) { MirrorMatrix(2, 0, 2, 5, o); }),
       {3, 7}, {1, 7}},
      {"mirror equal points", build([](FcMatrix2d& o) { MirrorMatrix(2, 3, 2, 3, o); }), {5, 4},
       {5, 2}},
  };
  for (const Case& c : cases) ExpectPointNear(Apply(c.m, c.in), c.out, 1e-12, c.what);
}

TEST(MultiplyMatrix, AppliesTheMatrixFirstAndOtherAfter) {
  FcMatrix2d m;
  FcMatrix2d rotation;
  TranslationMatrix(1, 0, m);
  RotationMatrix(0, 0, kHalfPi, rotation);
  MultiplyMatrix(m, rotation);
  ExpectPointNear(Apply(m, {0, 0}), {0, 1}, 1e-12, "translate then rotate");

  FcMatrix2d composed;
  FcMatrix2d translation;
  TranslationMatrix(1, 0, translation);
  ComposeMatrices(composed, rotation, translation);
  ExpectPointNear(Apply(composed, {1, 0}), {1, 1}, 1e-12, "rotate then translate");

  // The result may be written over an input.
  ComposeMatrices(translation, translation, rotation);
  ExpectPointNear(Apply(translation, {0, 0}), {0, 1}, 1e-12, "composed in place");
}

TEST(InvertMatrix, UndoesTheMatrixOrRefusesASingularOne) {
  FcMatrix2d m;
  FcMatrix2d step;
  RotationMatrix(3, -2, 0.7, m);
  ScaleXYAboutPointMatrix(1, 5, 2, -0.5, step);
  MultiplyMatrix(m, step);
  FcMatrix2d inverse;
  ASSERT_TRUE(InvertMatrix(m, inverse));
  ExpectPointNear(Apply(inverse, Apply(m, {7, -4})), {7, -4}, 1e-12, "round trip");

  FcMatrix2d zero;
  ScaleMatrix(0, 1, zero);
  FcMatrix2d untouched{9, 9, 9, 9, 9, 9};
  EXPECT_FALSE(InvertMatrix(zero, untouched));
  EXPECT_EQ(untouched.a, 9.0);
  EXPECT_EQ(untouched.f, 9.0);

  FcMatrix2d tiny;
  ScaleMatrix(1e-12, 1, tiny);
  ASSERT_TRUE(InvertMatrix(tiny, inverse));
  EXPECT_DOUBLE_EQ(inverse.a, 1e12);

  const FcMatrix2d original = m;
  ASSERT_TRUE(InvertMatrix(m, m));
  ExpectPointNear(Apply(m, Apply(original, {7, -4})), {7, -4}, 1e-12, "inverted in place");
}

TEST(TransformXY, WritesOnlyTheGivenOutputs) {
  FcMatrix2d m;
  TranslationMatrix(1, 2, m);
  double x = 0;
  double y = 0;
  TransformXY(5, 5, m, nullptr, nullptr);
  TransformXY(5, 5, m, &x, nullptr);
  EXPECT_EQ(x, 6.0);
  EXPECT_EQ(y, 0.0);
  TransformXY(5, 5, m, nullptr, &y);
  EXPECT_EQ(y, 7.0);
}

TEST(TransformLength, IsTheScaleAlongX) {
  FcMatrix2d m;
  RotationMatrix(4, 4, 1.1, m);
  EXPECT_NEAR(TransformLength(m, 3.0), 3.0, 1e-12);
  EXPECT_NEAR(TransformLength(m, -3.0), 3.0, 1e-12);
  ScaleXYAboutPointMatrix(7, 7, 2, 3, m);
  EXPECT_NEAR(TransformLength(m, 5.0), 10.0, 1e-12);
  EXPECT_NEAR(TransformLength(m, -5.0), 10.0, 1e-12);
}

// A zero length is zero under any finite matrix, but a matrix that is not
// finite still spoils it, as it spoils every other length.
TEST(TransformLength, OfZeroIsZeroOnlyUnderAFiniteMatrix) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  FcMatrix2d m;
  ScaleXYAboutPointMatrix(7, 7, 1e150, -1e150, m);
  EXPECT_EQ(TransformLength(m, 0.0), 0.0);
  EXPECT_EQ(TransformLength(m, -0.0), 0.0);
  for (const FcMatrix2d& spoilt : {FcMatrix2d{kInfinity, 0, 0, 0, 1, 0}, FcMatrix2d{1, 0, 0, 0, 1, std::nan("")}}) {
    EXPECT_TRUE(std::isnan(TransformLength(spoilt, 0.0)));
  }
}

TEST(RotatePoint, TurnsCounterClockwise) {
  FcPoint2d p{3, 1};
  RotatePointAbout(kHalfPi, {2, 1}, p);
  ExpectPointNear(p, {2, 2}, 1e-12, "about a centre");
  FcPoint2d v{1, 0};
  RotateVector(kPi, v);
  ExpectPointNear(v, {-1, 0}, 1e-12, "vector");
}

}  // namespace
