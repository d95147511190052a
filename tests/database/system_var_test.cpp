#include "database/system_var.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "platform/program_settings.h"
#include "tests/support/sysvar_values.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(SystemVarTest, NewDrawingDefaultsReadByName) {
  const FcSystemVar vars;
  ExpectReadsByName(vars, {
      {"angbase", Real(0.0)},         {"angdir", Int(0)},
      {"aunits", Int(0)},             {"auprec", Int(4)},
      {"attmode", Int(1)},            {"cecolor", Int(256)},
      {"celtscale", Real(1.0)},       {"clayer", Text("0")},
      {"celtype", Text("ByLayer")},   {"chamfera", Real(0.5)},
      {"chamferb", Real(0.5)},        {"chamferc", Real(1.0)},
      {"chamferd", Real(0.0)},        {"chammode", Int(0)},
      {"circlerad", Real(0.0)},       {"coords", Int(1)},
      {"dwgcodepage", Text("ANSI_1252")},
      {"dwgname", Text("Untitled.dwg")},
      {"dwgprefix", Text("")},        {"dwgtitled", Int(0)},
      {"filletrad", Real(5.0)},       {"gridmode", Int(0)},
      {"gridunit", Point(5, 5)},      {"insname", Text(".")},
      {"InsBase", Point(0, 0)},       {"lastpoint", Point(0, 0)},
      {"limmin", Point(0, 0)},        {"limmax", Point(420, 297)},
      {"ltscale", Real(1.0)},         {"lunits", Int(2)},
      {"luprec", Int(4)},             {"mirrtext", Int(1)},
      {"offsetdist", Real(1.0)},      {"orthomode", Int(0)},
      {"osmode", Int(37)},            {"pdmode", Int(0)},
      {"pdsize", Real(0.0)},          {"plinewid", Real(0.0)},
      {"polysides", Int(4)},          {"qtextmode", Int(0)},
      {"snapang", Real(0.0)},         {"snapbase", Point(0, 0)},
      {"snapunit", Point(10, 10)},    {"snapmode", Int(0)},
      {"splframe", Int(0)},           {"splinesegs", Int(8)},
      {"splinetype", Int(6)},         {"textsize", Real(0.2)},
      {"textstyle", Text("standard")},
      {"tracewid", Real(1.0)},        {"ucsicon", Int(3)},
      {"ucsorg", Point(0, 0)},        {"ucsxdir", Point(1, 0)},
      {"ucsydir", Point(0, 1)},       {"useri5", Int(0)},
      {"userr1", Real(0.0)},          {"attdia", Int(0)},
      {"attreq", Int(1)},             {"delobj", Int(1)},
      {"zoomfactor", Int(20)},        {"syscodepage", Text("ANSI_1252")},
  });
}

TEST(SystemVarTest, NewDrawingDefaultsWithoutNames) {
  const FcSystemVar vars;
  EXPECT_EQ(vars.handseed, 1u);
  EXPECT_EQ(vars.FileVersion, "AC1015");
  EXPECT_EQ(vars.cmljust, 0);
  EXPECT_EQ(vars.cmlscale, 1.0);
  EXPECT_EQ(vars.dragmode, 2);
  EXPECT_EQ(vars.osnapcoord, 2);
  EXPECT_EQ(vars.sketchinc, 0.1);
  EXPECT_EQ(vars.TrimMode, 1);
  EXPECT_EQ(vars.DonutInnerDiameter, 0.5);
  EXPECT_EQ(vars.DonutOuterDiameter, 1.0);
  EXPECT_EQ(vars.HatchPatternName, "SOLID");
  EXPECT_EQ(vars.HatchScale, 1.0);
  EXPECT_EQ(vars.HatchSpacing, 1.0);
  EXPECT_EQ(vars.LengthenPercent, 100.0);
  EXPECT_EQ(vars.LengthenTotal, 1.0);
  EXPECT_EQ(vars.LengthenTotalAngle, 1.0);
  EXPECT_EQ(vars.UcsIsWorld, 1);
  EXPECT_EQ(vars.UcsLeftHanded, 0);
  EXPECT_EQ(vars.UcsToWorld.a, 1.0);
  EXPECT_EQ(vars.WorldToUcs.e, 1.0);
  EXPECT_EQ(vars.WorldToUcs.c, 0.0);
}

TEST(SystemVarTest, SetByNameAppliesEachRuleAndKeepsRefusedValues) {
  const std::string longText(600, 'x');
  RunSetGetCases({
      {"AUNITS", {Int(5)}, Int(0)},
      {"aunits", {Int(4)}, Int(4)},
      {"auprec", {Int(16), Int(17)}, Int(16)},
      {"attmode", {Int(3)}, Int(1)},
      {"cecolor", {Int(0), Int(257)}, Int(0)},
      {"SplineType", {Int(5)}, Int(5)},
      {"splinetype", {Int(5), Int(7)}, Int(6)},
      {"splinesegs", {Int(-12)}, Int(12)},
      {"splinesegs", {Int(-12), Int(0)}, Int(12)},
      {"splinesegs", {Int(-32768)}, Int(8)},
      {"celtscale", {Real(-2.5)}, Real(2.5)},
      {"celtscale", {Real(-2.5), Real(0.0)}, Real(2.5)},
      {"chamfera", {Real(-0.1)}, Real(0.5)},
      {"chamferd", {Real(-1.0)}, Real(kTwoPi - 1.0)},
      {"chamferd", {Real(7.0)}, Real(7.0 - kTwoPi)},
      {"chamferd", {Real(kInf)}, Real(0.0)},
      {"angdir", {Int(256)}, Int(0)},
      {"angdir", {Int(257)}, Int(1)},
      {"chammode", {Int(256)}, Int(1)},
      {"qtextmode", {Int(256)}, Int(1)},
      {"mirrtext", {Int(0)}, Int(0)},
      {"gridmode", {Int(-3)}, Int(1)},
      {"angbase", {Real(-kHalfPi)}, Real(3 * kHalfPi)},
      {"angbase", {Real(kNaN)}, Real(0.0)},
      {"filletrad", {Real(-3.0)}, Real(3.0)},
      {"clayer", {Text("")}, Text("0")},
      {"clayer", {Text("Walls")}, Text("Walls")},
      {"clayer", {Text(longText)}, Text(longText.substr(0, 511))},
      {"celtype", {Text("")}, Text("ByLayer")},
      {"insname", {Text("")}, Text(".")},
      {"textstyle", {Text("")}, Text("")},
      {"textstyle", {Text(longText)}, Text(longText.substr(0, 511))},
      {"polysides", {Int(1025)}, Int(4)},
      {"polysides", {Int(2)}, Int(4)},
      {"polysides", {Int(3)}, Int(3)},
      {"polysides", {Int(1024)}, Int(1024)},
      {"gridunit", {Point(2, 0)}, Point(5, 5)},
      {"gridunit", {Point(2, 3)}, Point(2, 3)},
      {"snapunit", {Point(-1, 3)}, Point(10, 10)},
      {"ltscale", {Real(0.0)}, Real(1.0)},
      {"ltscale", {Real(kInf)}, Real(1.0)},
      {"textsize", {Real(-1.0)}, Real(0.2)},
      {"lunits", {Int(0)}, Int(2)},
      {"luprec", {Int(9)}, Int(4)},
      {"osmode", {Int(70000)}, Int(70000)},
      {"limmin", {Point(-5, kNaN)}, Point(0, 0)},
      {"limmax", {Point(-5, 8)}, Point(-5, 8)},
      {"useri3", {Int(-7)}, Int(-7)},
      {"userr2", {Real(-1.5)}, Real(-1.5)},
      {"ucsicon", {Int(4)}, Int(3)},
      {"dwgcodepage", {Text("ansi_1250")}, Text("ANSI_1250")},
      {"dwgcodepage", {Text("ansi_1250"), Text("ANSI_9999")}, Text("ANSI_1252")},
  });
}

TEST(SystemVarTest, SetOnlyNamesStoreWithTheirRules) {
  FcSystemVar vars;
  FcResBuf seed;
  seed.handle = 0x1234567890ULL;
  EXPECT_EQ(vars.SetVar("handseed", seed), FcSysVarResult::kDone);
  EXPECT_EQ(vars.handseed, 0x1234567890ULL);

  EXPECT_EQ(SetByName(vars, "cmljust", Int(3)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.cmljust, 0);
  EXPECT_EQ(SetByName(vars, "dragmode", Int(1)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dragmode, 1);
  EXPECT_EQ(SetByName(vars, "sketchinc", Real(-1.0)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.sketchinc, 0.1);
  EXPECT_EQ(SetByName(vars, "skpoly", Int(512)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.skpoly, 1);

  FcResBuf untouched;
  untouched.type = 77;
  for (const char* name : {"cmljust", "cmlscale", "dragmode", "osnapcoord", "plinegen",
                           "sketchinc", "skpoly", "handseed"}) {
    EXPECT_EQ(vars.GetVar(name, untouched), FcSysVarResult::kUnknownName) << name;
  }
  EXPECT_EQ(untouched.type, 77);
}

TEST(SystemVarTest, UnknownAndOneWayNames) {
  FcSystemVar vars;
  vars.area = 12.5;
  EXPECT_EQ(GetByName(vars, "AREA"), Real(12.5));
  EXPECT_EQ(SetByName(vars, "area", Real(1.0)), FcSysVarResult::kUnknownName);
  EXPECT_EQ(SetByName(vars, "dwgname", Text("a.dwg")), FcSysVarResult::kUnknownName);
  EXPECT_EQ(SetByName(vars, "attdia", Int(1)), FcSysVarResult::kUnknownName);
  EXPECT_EQ(SetByName(vars, "nosuchvar", Int(1)), FcSysVarResult::kUnknownName);
  EXPECT_EQ(SetByName(vars, "", Int(1)), FcSysVarResult::kUnknownName);

  FcResBuf buf;
  buf.type = 77;
  buf.intValue = 5;
  EXPECT_EQ(vars.GetVar("nosuchvar", buf), FcSysVarResult::kUnknownName);
  EXPECT_EQ(vars.GetVar("angbase ", buf), FcSysVarResult::kUnknownName);
  EXPECT_EQ(vars.GetVar("TDCREATE[2]", buf), FcSysVarResult::kUnknownName);
  EXPECT_EQ(buf.type, 77);
  EXPECT_EQ(buf.intValue, 5);

  for (const char* name : {"tdcreate[2]", "TDINDWG[2]", "tducreate[2]", "tdupdate[2]",
                           "tdusrtimer[2]", "tduupdate[2]", "UsrTimer"}) {
    EXPECT_EQ(SetByName(vars, name, Int(1)), FcSysVarResult::kDone) << name;
  }
}

TEST(SystemVarTest, SetUcsBuildsAxesHandednessAndMatrices) {
  const struct {
    FcPoint2d origin, xPoint, yPoint;
    FcPoint2d xDir, yDir;
    double angle;
    short leftHanded, world;
  } cases[] = {
      {{1, 1}, {1, 2}, {0, 1}, {0, 1}, {-1, 0}, kHalfPi, 0, 0},
      {{1, 1}, {1, 2}, {2, 1}, {0, 1}, {1, 0}, kHalfPi, 1, 0},
      {{0, 0}, {5, 0}, {0, 3}, {1, 0}, {0, 1}, 0.0, 0, 1},
      {{10, 5}, {11, 5}, {10, 6}, {1, 0}, {0, 1}, 0.0, 0, 0},
  };
  for (const auto& c : cases) {
    FcSystemVar vars;
    ASSERT_TRUE(vars.SetUcs(c.origin, c.xPoint, c.yPoint));
    EXPECT_NEAR(vars.ucsxdir.x, c.xDir.x, 1e-12);
    EXPECT_NEAR(vars.ucsxdir.y, c.xDir.y, 1e-12);
    EXPECT_NEAR(vars.ucsydir.x, c.yDir.x, 1e-12);
    EXPECT_NEAR(vars.ucsydir.y, c.yDir.y, 1e-12);
    EXPECT_NEAR(vars.UcsAngle, c.angle, 1e-12);
    EXPECT_EQ(vars.UcsLeftHanded, c.leftHanded);
    EXPECT_EQ(vars.UcsIsWorld, c.world);

    // A UCS point goes to the world and back unchanged.
    FcPoint2d p{3, -2};
    TransformPoint(vars.UcsToWorld, p);
    const FcPoint2d expected{c.origin.x + 3 * c.xDir.x - 2 * c.yDir.x,
                             c.origin.y + 3 * c.xDir.y - 2 * c.yDir.y};
    EXPECT_NEAR(p.x, expected.x, 1e-12);
    EXPECT_NEAR(p.y, expected.y, 1e-12);
    TransformPoint(vars.WorldToUcs, p);
    EXPECT_NEAR(p.x, 3, 1e-12);
    EXPECT_NEAR(p.y, -2, 1e-12);
  }
}

TEST(SystemVarTest, SetUcsRefusesAnAxisWithoutDirection) {
  FcSystemVar vars;
  ASSERT_TRUE(vars.SetUcs({10, 5}, {11, 5}, {10, 6}));
  EXPECT_FALSE(vars.SetUcs({2, 2}, {2, 2}, {2, 3}));
  EXPECT_FALSE(vars.SetUcs({kNaN, 0}, {1, 0}, {0, 1}));
  EXPECT_EQ(vars.ucsorg.x, 10);
  EXPECT_EQ(vars.UcsToWorld.c, 10);
  EXPECT_EQ(vars.WorldToUcs.c, -10);
}

TEST(SystemVarTest, LastPointIsKeptInWorldAndGivenInUcs) {
  FcSystemVar vars;
  ASSERT_TRUE(vars.SetUcs({10, 5}, {11, 5}, {10, 6}));
  EXPECT_EQ(SetByName(vars, "lastpoint", Point(0, 0)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.lastpoint.x, 10);
  EXPECT_EQ(vars.lastpoint.y, 5);
  EXPECT_EQ(GetByName(vars, "LastPoint"), Point(0, 0));

  // A rotated UCS: the stored world point stays put while the UCS moves.
  ASSERT_TRUE(vars.SetUcs({0, 0}, {0, 1}, {-1, 0}));
  const FcPoint2d inUcs = vars.GetLastPoint();
  EXPECT_NEAR(inUcs.x, 5, 1e-12);
  EXPECT_NEAR(inUcs.y, -10, 1e-12);
  vars.SetLastPoint({1, 2});
  EXPECT_NEAR(vars.lastpoint.x, -2, 1e-12);
  EXPECT_NEAR(vars.lastpoint.y, 1, 1e-12);
}

TEST(SystemVarTest, UcsFieldsSetByNameLeaveTheDerivedFieldsAlone) {
  FcSystemVar vars;
  EXPECT_EQ(SetByName(vars, "ucsorg", Point(3, 4)), FcSysVarResult::kDone);
  EXPECT_EQ(SetByName(vars, "UCSXDIR", Point(0, 1)), FcSysVarResult::kDone);
  EXPECT_EQ(GetByName(vars, "ucsorg"), Point(3, 4));
  EXPECT_EQ(vars.UcsToWorld.c, 0.0);
  EXPECT_EQ(vars.UcsAngle, 0.0);
  EXPECT_EQ(vars.UcsIsWorld, 1);
}

TEST(SystemVarTest, CodePages) {
  FcSystemVar vars;
  EXPECT_TRUE(vars.SetCodePage(932));
  EXPECT_EQ(GetByName(vars, "DWGCODEPAGE"), Text("ANSI_932"));
  EXPECT_FALSE(vars.SetCodePage(437));
  EXPECT_EQ(vars.dwgcodepage, 932);

  // A page that came in by a direct write is reported as the default name.
  vars.dwgcodepage = 437;
  EXPECT_EQ(GetByName(vars, "dwgcodepage"), Text("ANSI_1252"));

  FcResBuf noText;
  noText.type = kResTypeString;
  EXPECT_EQ(vars.SetVar("dwgcodepage", noText), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dwgcodepage, 1252);
}

TEST(SystemVarTest, ProgramWideValuesAreReadFromTheProgramSettings) {
  ProgramSettings& settings = GetProgramSettings();
  const ProgramSettings saved = settings;
  settings.attdia = 1;
  settings.attreq = 0;
  settings.del_obj = 0;
  settings.zoom_factor = 35;
  ExpectReadsByName(FcSystemVar(), {{"attdia", Int(1)},
                                     {"ATTREQ", Int(0)},
                                     {"delobj", Int(0)},
                                     {"ZoomFactor", Int(35)}});
  settings = saved;
}

TEST(SystemVarTest, SetDefaultsKeepsTheDrawingsOwnFields) {
  FcSystemVar vars;
  vars.area = 3.0;
  vars.insbase = {1, 2};
  vars.lastpoint = {3, 4};
  vars.dimstyle = "ISO-25";
  vars.dimlwd = 7;
  vars.dimlwe = 8;
  vars.dimunit = 3;
  vars.HeaderHandles.layerControl = 0x40;
  vars.ltscale = 9.0;
  vars.clayer = "Walls";
  vars.TrimMode = 0;
  vars.AutosaveState = 1;
  vars.Modified = 1;
  ASSERT_TRUE(vars.SetUcs({10, 5}, {10, 6}, {9, 5}));

  vars.SetDefaults();
  EXPECT_EQ(vars.area, 3.0);
  EXPECT_EQ(vars.insbase.y, 2);
  EXPECT_EQ(vars.lastpoint.x, 3);
  EXPECT_EQ(vars.dimstyle, "ISO-25");
  EXPECT_EQ(vars.dimlwd, 7);
  EXPECT_EQ(vars.dimlwe, 8);
  EXPECT_EQ(vars.dimunit, 3);
  EXPECT_EQ(vars.HeaderHandles.layerControl, 0x40u);
  EXPECT_EQ(vars.ltscale, 1.0);
  EXPECT_EQ(vars.clayer, "0");
  EXPECT_EQ(vars.TrimMode, 1);
  EXPECT_EQ(vars.AutosaveState, 0);
  EXPECT_EQ(vars.Modified, 0);
  EXPECT_EQ(vars.UcsIsWorld, 1);
  EXPECT_EQ(vars.WorldToUcs.c, 0.0);
}

TEST(SystemVarTest, CopyFromTakesTheSettingsAndRebuildsTheUcs) {
  FcSystemVar source;
  source.ltscale = 4.0;
  source.dwgname = "part.dwg";
  source.Modified = 1;
  source.TrimMode = 0;
  source.area = 99.0;
  source.insbase = {7, 7};
  source.dimstyle = "Source";
  source.AutosaveState = 1;
  source.HeaderHandles.modelSpaceBlock = 0x1F;
  ASSERT_TRUE(source.SetUcs({2, 3}, {2, 4}, {1, 3}));

  FcSystemVar target;
  target.area = 1.0;
  target.dimstyle = "Target";
  target.CopyFrom(source);
  EXPECT_EQ(target.ltscale, 4.0);
  EXPECT_EQ(target.dwgname, "part.dwg");
  EXPECT_EQ(target.Modified, 1);
  EXPECT_EQ(target.TrimMode, 0);
  EXPECT_EQ(target.area, 1.0);
  EXPECT_EQ(target.insbase.x, 0);
  EXPECT_EQ(target.dimstyle, "Target");
  EXPECT_EQ(target.AutosaveState, 0);
  EXPECT_EQ(target.HeaderHandles.modelSpaceBlock, 0u);
  EXPECT_EQ(target.ucsorg.x, 2);
  EXPECT_NEAR(target.UcsAngle, kHalfPi, 1e-12);
  EXPECT_EQ(target.UcsIsWorld, 0);
  EXPECT_NEAR(target.UcsToWorld.c, 2, 1e-12);
  EXPECT_NEAR(target.WorldToUcs.f, 2, 1e-12);
}

TEST(SystemVarTest, FileNameSettersCutLongTexts) {
  FcSystemVar vars;
  const std::string longName(700, 'n');
  vars.SetDwgName(longName);
  vars.SetDwgPrefix("/home/user/drawings/");
  EXPECT_EQ(vars.dwgname.size(), 511u);
  EXPECT_EQ(GetByName(vars, "dwgname"), Text(longName.substr(0, 511)));
  EXPECT_EQ(GetByName(vars, "DwgPrefix"), Text("/home/user/drawings/"));
}

}  // namespace
