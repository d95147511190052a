#include <gtest/gtest.h>

#include <string>

#include "core/resbuf.h"
#include "database/system_var.h"
#include "tests/support/sysvar_values.h"

namespace {

TEST(DimensionVarsTest, NewDrawingDefaultsReadByName) {
  const FcSystemVar vars;
  ExpectReadsByName(vars, {
      {"dimadec", Int(2)},      {"dimalt", Int(0)},       {"dimaltd", Int(2)},
      {"dimaltf", Real(25.4)},  {"dimaltrnd", Real(0)},   {"dimalttd", Int(2)},
      {"dimalttz", Int(0)},     {"dimaltu", Int(2)},      {"dimaltz", Int(0)},
      {"dimapost", Text("")},   {"dimasz", Real(0.18)},   {"dimatfit", Int(0)},
      {"dimaunit", Int(0)},     {"dimazin", Int(0)},      {"dimblk", Text("")},
      {"dimblk1", Text("")},    {"dimblk2", Text("")},    {"dimcen", Real(0.09)},
      {"dimclrd", Int(0)},      {"dimclre", Int(0)},      {"dimclrt", Int(0)},
      {"dimdec", Int(4)},       {"dimdle", Real(0)},      {"dimdli", Real(0.38)},
      {"dimdsep", Int('.')},    {"dimexe", Real(0.18)},   {"dimexo", Real(0.0625)},
      {"dimfrac", Int(0)},      {"dimgap", Real(0.09)},   {"dimjust", Int(0)},
      {"dimldrblk", Text("")},  {"dimlfac", Real(1.0)},   {"dimlim", Int(0)},
      {"dimlunit", Int(0)},     {"dimlwd", Int(0)},       {"dimlwe", Int(0)},
      {"dimpost", Text("")},    {"dimrnd", Real(0)},      {"dimsah", Int(0)},
      {"dimscale", Real(1.0)},  {"dimsd1", Int(0)},       {"dimsd2", Int(0)},
      {"dimse1", Int(0)},       {"dimse2", Int(0)},       {"dimsho", Int(0)},
      {"dimstyle", Text("")},   {"dimsoxd", Int(0)},      {"dimtad", Int(0)},
      {"dimtdec", Int(4)},      {"dimtfac", Real(1.0)},   {"dimtih", Int(1)},
      {"dimtix", Int(0)},       {"dimtm", Real(0)},       {"dimtmove", Int(0)},
      {"dimtofl", Int(0)},      {"dimtoh", Int(1)},       {"dimtol", Int(0)},
      {"dimtolj", Int(1)},      {"dimtp", Real(0)},       {"dimtsz", Real(0)},
      {"dimtvp", Real(0)},      {"dimtxt", Real(0.18)},   {"dimtxsty", Text("standard")},
      {"dimtzin", Int(0)},      {"dimupt", Int(0)},       {"dimzin", Int(0)},
  });
  EXPECT_EQ(vars.LastDimensionHandle, 0u);
}

TEST(DimensionVarsTest, SetByNameAppliesEachRuleAndKeepsRefusedValues) {
  const std::string longName(520, 'b');
  RunSetGetCases({
      {"DIMALTU", {Int(3), Int(8)}, Int(2)},
      {"dimaltu", {Int(3), Int(9)}, Int(3)},
      {"dimlunit", {Int(6)}, Int(2)},
      {"dimlunit", {Int(7)}, Int(0)},
      {"dimlunit", {Int(5)}, Int(5)},
      {"dimscale", {Real(2.5), Real(0.0)}, Real(1.0)},
      {"dimscale", {Real(2.5), Real(-3.0)}, Real(1.0)},
      {"dimzin", {Int(264)}, Int(8)},
      {"dimzin", {Int(16)}, Int(0)},
      {"dimdec", {Int(264)}, Int(4)},
      {"dimdec", {Int(8)}, Int(8)},
      {"dimaltd", {Int(265)}, Int(2)},
      {"dimtad", {Int(258)}, Int(2)},
      {"dimjust", {Int(-1)}, Int(0)},
      {"dimtolj", {Int(3)}, Int(1)},
      {"dimlwd", {Int(-1)}, Int(0)},
      {"dimlwe", {Int(25)}, Int(25)},
      {"dimalt", {Int(256)}, Int(0)},
      {"dimalt", {Int(257)}, Int(1)},
      {"dimtih", {Int(0)}, Int(0)},
      {"dimasz", {Real(0.0)}, Real(0.18)},
      {"dimasz", {Real(2.5)}, Real(2.5)},
      {"dimexo", {Real(0.0)}, Real(0.0)},
      {"dimexo", {Real(-0.1)}, Real(0.0625)},
      {"dimaltf", {Real(0.0)}, Real(25.4)},
      {"dimcen", {Real(-0.09)}, Real(-0.09)},
      {"dimtm", {Real(-1.0)}, Real(-1.0)},
      {"dimdsep", {Int(',')}, Int(',')},
      {"dimclrd", {Int(-5)}, Int(-5)},
      {"dimatfit", {Int(4)}, Int(0)},
      {"dimblk", {Text(longName)}, Text(longName.substr(0, 511))},
      {"dimtxsty", {Text("")}, Text("")},
      {"DimStyle", {Text("ISO-25")}, Text("ISO-25")},
  });
}

TEST(DimensionVarsTest, LimitsAndToleranceExcludeEachOther) {
  FcSystemVar vars;
  EXPECT_EQ(SetByName(vars, "dimtol", Int(1)), FcSysVarResult::kDone);
  EXPECT_EQ(SetByName(vars, "dimlim", Int(1)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimlim, 1);
  EXPECT_EQ(vars.dimtol, 0);

  EXPECT_EQ(SetByName(vars, "dimtol", Int(257)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimtol, 1);
  EXPECT_EQ(vars.dimlim, 0);

  EXPECT_EQ(SetByName(vars, "dimlim", Int(0)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimlim, 0);
  EXPECT_EQ(vars.dimtol, 1);

  // The low byte of 256 is zero: switching nothing on.
  EXPECT_EQ(SetByName(vars, "dimlim", Int(256)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimtol, 1);
}

TEST(DimensionVarsTest, ShowFlagKeepsItsLowByte) {
  FcSystemVar vars;
  EXPECT_EQ(SetByName(vars, "dimsho", Int(2)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimsho, 2);
  EXPECT_EQ(GetByName(vars, "dimsho"), Int(1));
  EXPECT_EQ(SetByName(vars, "dimsho", Int(0x103)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimsho, 3);
}

TEST(DimensionVarsTest, DimunitIsAcceptedButCarriesNoValue) {
  FcSystemVar vars;
  vars.dimunit = 4;
  EXPECT_EQ(SetByName(vars, "DIMUNIT", Int(2)), FcSysVarResult::kDone);
  EXPECT_EQ(vars.dimunit, 4);
  FcResBuf buf;
  buf.type = 77;
  EXPECT_EQ(vars.GetVar("dimunit", buf), FcSysVarResult::kDone);
  EXPECT_EQ(buf.type, 77);
}

TEST(DimensionVarsTest, DirectSettersTakeTheFullValue) {
  FcSystemVar vars;
  // Only SetVar narrows to the low byte; a direct caller's 264 is out of range.
  vars.SetDimzin(264);
  EXPECT_EQ(vars.dimzin, 0);
  vars.SetDimzin(12);
  EXPECT_EQ(vars.dimzin, 12);
  vars.SetDimscale(-1.0);
  EXPECT_EQ(vars.dimscale, 1.0);
}

}  // namespace
