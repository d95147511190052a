#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs/hatch_dlg.h"
#include "database/system_var.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/ellipse.h"
#include "entities/hatch.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "files/drawing_file.h"
#include "platform/program_settings.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

namespace {

// The scripted window shows (0,0)-(400,300); the pattern file is the
// program's own. The dialog is answered as the user would.
class HatchCommandTest : public PickableScriptTest {
 protected:
  HatchCommandTest() : savedPath_(GetProgramSettings().search_path) {
    GetProgramSettings().search_path = std::string(KOVRA_SOURCE_DIR) + "/Support";
  }
  ~HatchCommandTest() override { GetProgramSettings().search_path = savedPath_; }

  void Draw(const std::vector<std::vector<std::string>>& commands) {
    for (const std::vector<std::string>& command : commands) {
      ASSERT_TRUE(RunScript(script_, command[0], {command.begin() + 1, command.end()})) << command[0];
    }
  }

  // Four separate lines around (100,100)-(200,180), drawn out of order and
  // in both directions.
  void DrawBox() {
    Draw({{"line", "200,180", "100,180", ""},
          {"line", "100,100", "200,100", ""},
          {"line", "100,100", "100,180", ""},
          {"line", "200,100", "200,180", ""}});
  }

  // The dialog first asks for the boundary with the request, then applies
  // with what apply sets.
  void Answer(int request, const std::function<void(CHatchDlg&)>& apply) {
    dialogs_.Answer<CHatchDlg>([request](CHatchDlg&) { return request; });
    dialogs_.Answer<CHatchDlg>([apply](CHatchDlg& dialog) {
      apply(dialog);
      return CHatchDlg::kApply;
    });
  }

  // The box, hatched through its selected lines with a predefined pattern.
  void HatchTheBox(const std::string& pattern, double scale, double angle) {
    DrawBox();
    Answer(CHatchDlg::kSelectBoundary, [=](CHatchDlg& dialog) {
      dialog.m_strPattern = pattern;
      dialog.m_dScale = scale;
      dialog.m_dAngle = angle;
    });
    ASSERT_TRUE(RunScript(script_, "hatch", {"all", ""}));
  }

  static void Solid(CHatchDlg& dialog) { dialog.m_strPattern = "solid"; }
  static void AsItIs(CHatchDlg&) {}

  std::string savedPath_;
  ScriptedDialogs dialogs_;
};

// The area inside a loop, from its points.
double LoopArea(const FcHatchEdge& loop) {
  std::vector<FcPoint2d> points;
  EXPECT_TRUE(loop.AppendPoints(1e-4, points));
  double twice = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const FcPoint2d& a = points[i];
    const FcPoint2d& b = points[(i + 1) % points.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) / 2.0;
}

// A coordinate as the DXF reading script prints it: six decimals at most,
// no trailing zeros, no sign on zero.
std::string NumberText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return std::fabs(value) <= 5e-7 || text == "-0" ? "0" : text;
}

std::string PointText(const FcPoint2d& p) { return NumberText(p.x) + "," + NumberText(p.y); }

// The loop is four line edges running head to tail round the box DrawBox
// makes, one edge a side. Returns the edges as the DXF reading script
// prints them.
std::string ExpectFourLinesRoundTheBox(const FcHatchEdge& loop) {
  const auto* chain = dynamic_cast<const FcOtherEdge*>(&loop);
  EXPECT_NE(chain, nullptr);
  if (chain == nullptr) return {};
  const std::vector<std::unique_ptr<FcHatchEdge>>& edges = chain->GetEdges();
  EXPECT_EQ(edges.size(), 4u);
  std::vector<std::string> corners;
  std::string text = "edges: ";
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const auto* line = dynamic_cast<const FcLineEdge*>(edges[i].get());
    const auto* next = dynamic_cast<const FcLineEdge*>(edges[(i + 1) % edges.size()].get());
    EXPECT_NE(line, nullptr) << "edge " << i;
    if (line == nullptr || next == nullptr) return {};
    ExpectPointNear(line->GetEnd(), next->GetStart(), 1e-9);
    corners.push_back(PointText(line->GetStart()));
    text += std::string(i == 0 ? "" : "; ") + "line " + PointText(line->GetStart()) + " " + PointText(line->GetEnd());
  }
  std::sort(corners.begin(), corners.end());
  EXPECT_EQ(corners, (std::vector<std::string>{"100,100", "100,180", "200,100", "200,180"}));
  return text;
}

TEST_F(HatchCommandTest, SelectedLinesInAnyOrderChainIntoOneLoop) {
  HatchTheBox("ansi31", 1, 0);
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
  ASSERT_EQ(hatches.size(), 1u);
  ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
  ExpectFourLinesRoundTheBox(hatches[0]->GetLoops().GetAt(0));
  EXPECT_EQ(hatches[0]->GetPattern().GetName(), "ansi31");
  EXPECT_FALSE(hatches[0]->IsSolid());
  EXPECT_EQ(UndoNames().back(), "Hatch");
}

// The boundary found around the point starts where its ray met the right
// side; the hatch gets the box's four sides, not that side in two halves
// and a closing edge of no length, and the file keeps them so.
TEST_F(HatchCommandTest, APickedPointFindsTheBoundaryAndSolidFillsIt) {
  DrawBox();
  Answer(CHatchDlg::kPickPoint, Solid);
  ASSERT_TRUE(RunScript(script_, "hatch", {"150,140", ""}));
  const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
  ASSERT_EQ(hatches.size(), 1u);
  EXPECT_TRUE(hatches[0]->IsSolid());
  ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
  const std::string edges = ExpectFourLinesRoundTheBox(hatches[0]->GetLoops().GetAt(0));
  ASSERT_EQ(hatches[0]->GetSeedPoints().size(), 1u);
  ExpectPointNear(hatches[0]->GetSeedPoints()[0], {150, 140}, 1e-9);
  // The boundary found around the point was lent for the command only.
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);

  TempDir folder;
  const std::string path = folder.path() + "picked.dxf";
  ASSERT_TRUE(script_.OnWindowThread([&] {
    return SaveDrawing(script_.Drawing(), path, FcFileKind::kAsciiDxf, false, false) == FcSaveResult::kDone;
  }));
  const CommandResult read = RunCommand("/usr/bin/python3 '" + LibraryScript() + "' hatches '" + path + "'");
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_EQ(read.output, "HATCH solid solid 1\n" + edges + "\nseeds 150,140\n");
}

// A polyline the user selects keeps its vertices as edges, the one on the
// middle of a side too; only the segment between two equal vertices goes.
TEST_F(HatchCommandTest, ASelectedPolylineKeepsItsEdgesButNoneOfZeroLength) {
  script_.OnWindowThread([this] {
    auto* polyline = new FcPolyline;
    for (const FcPoint2d& at : {FcPoint2d{100, 100}, {200, 100}, {200, 140}, {200, 180}, {200, 180}, {100, 180}}) {
      polyline->AppendVertex(at, 0, 0, 0);
    }
    polyline->SetClosed(true);
    script_.Drawing().AddEntity(polyline, true);
    return true;
  });
  Answer(CHatchDlg::kSelectBoundary, AsItIs);
  ASSERT_TRUE(RunScript(script_, "hatch", {"all", ""}));
  const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
  ASSERT_EQ(hatches.size(), 1u);
  ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
  const auto* chain = dynamic_cast<const FcOtherEdge*>(&hatches[0]->GetLoops().GetAt(0));
  ASSERT_NE(chain, nullptr);
  std::vector<std::string> edges;
  for (const auto& edge : chain->GetEdges()) {
    const auto* line = dynamic_cast<const FcLineEdge*>(edge.get());
    ASSERT_NE(line, nullptr);
    edges.push_back(PointText(line->GetStart()) + " " + PointText(line->GetEnd()));
  }
  EXPECT_EQ(edges, (std::vector<std::string>{"100,100 200,100", "200,100 200,140", "200,140 200,180",
                                             "200,180 100,180", "100,180 100,100"}));
}

// A box with a circle in it, made a block, referenced from a second block,
// whose reference is mirrored, scaled by 3 and turned by 30 degrees: a
// point picked inside the box, or inside the circle, finds the boundary
// where the references put it.
TEST_F(HatchCommandTest, APickedPointFindsTheBoundaryAlongNestedTurnedAndMirroredBlockReferences) {
  Draw({{"line", "0,0", "10,0", ""},
        {"line", "10,8", "10,0", ""},
        {"line", "10,8", "0,8", ""},
        {"line", "0,0", "0,8", ""},
        {"circle", "5,4", "2"},
        {"-block", "BOX", "0,0", "all", ""},
        {"-insert", "BOX", "0,0", "1", "1", "0"},
        {"-block", "NEST", "0,0", "all", ""},
        {"-insert", "NEST", "100,100", "-3", "3", "30"}});
  const double c = std::cos(kPi / 6);
  const double s = std::sin(kPi / 6);
  const auto place = [&](double x, double y) {
    const double u = -3 * x;
    const double v = 3 * y;
    return std::to_string(100 + c * u - s * v) + "," + std::to_string(100 + s * u + c * v);
  };
  const struct {
    const char* name;
    std::string pick;
    double area;
  } cases[] = {
      {"between box and circle", place(1, 1), 30.0 * 24.0},
      {"inside the circle", place(5, 4.5), kPi * 36.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Answer(CHatchDlg::kPickPoint, Solid);
    ASSERT_TRUE(RunScript(script_, "hatch", {c.pick, ""}));
    const std::vector<const FcHatch*> hatches = EntitiesOf<FcHatch>();
    ASSERT_EQ(hatches.size(), 1u);
    ASSERT_EQ(hatches[0]->GetLoops().GetCount(), 1);
    EXPECT_NEAR(LoopArea(hatches[0]->GetLoops().GetAt(0)), c.area, 1e-2);
    ASSERT_TRUE(script_.Run({"undo"}));
  }
}

TEST_F(HatchCommandTest, APointOutsideEveryBoundarySaysSo) {
  DrawBox();
  Answer(CHatchDlg::kPickPoint, AsItIs);
  ASSERT_TRUE(RunScript(script_, "hatch", {"300,250", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_NE(std::find(printed.begin(), printed.end(), "Can not find the closed boundary."), printed.end());
  EXPECT_EQ(LastPrinted(), "There isn't any edge to hatch.");
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
}

TEST_F(HatchCommandTest, DeletingTheBoundaryIsTakenBackWithTheHatchByOneUndo) {
  DrawBox();
  Answer(CHatchDlg::kSelectBoundary, [](CHatchDlg& dialog) { dialog.m_bDeleteBoundary = 1; });
  ASSERT_TRUE(RunScript(script_, "hatch", {"all", ""}));
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcLine>().empty());
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

// The boundary found around a point is the command's own: deleting the
// boundary does not make Undo bring it into the drawing.
TEST_F(HatchCommandTest, UndoAfterDeletingAPickedBoundaryBringsBackNoBorrowedLoop) {
  DrawBox();
  Answer(CHatchDlg::kPickPoint, [](CHatchDlg& dialog) { dialog.m_bDeleteBoundary = 1; });
  ASSERT_TRUE(RunScript(script_, "hatch", {"150,140", ""}));
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
}

// Inherit takes the picked hatch's scale-or-spacing into both boxes and
// its angle in degrees, but not whether it was user-defined; the next run
// of the dialog shows them.
TEST_F(HatchCommandTest, InheritingTakesThePickedHatchsPatternIntoTheDialog) {
  HatchTheBox("ANSI32", 2.5, 45);
  CHatchDlg seen;
  dialogs_.Answer<CHatchDlg>([](CHatchDlg& dialog) {
    dialog.m_nPatternType = CHatchDlg::kUserDefined;
    return CHatchDlg::kInherit;
  });
  dialogs_.Answer<CHatchDlg>([&seen](CHatchDlg& dialog) {
    seen.m_strPattern = dialog.m_strPattern;
    seen.m_dScale = dialog.m_dScale;
    seen.m_dSpacing = dialog.m_dSpacing;
    seen.m_dAngle = dialog.m_dAngle;
    seen.m_nPatternType = dialog.m_nPatternType;
    return CHatchDlg::kCancel;
  });
  // A point inside the box picks the hatch.
  ASSERT_TRUE(RunScript(script_, "hatch", {"150,140"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(seen.m_strPattern, "ANSI32");
  EXPECT_DOUBLE_EQ(seen.m_dScale, 2.5);
  EXPECT_DOUBLE_EQ(seen.m_dSpacing, 2.5);
  EXPECT_NEAR(seen.m_dAngle, 45.0, 1e-9);
  EXPECT_EQ(seen.m_nPatternType, CHatchDlg::kUserDefined);
  EXPECT_EQ(EntitiesOf<FcHatch>().size(), 1u);
}

// Cancel after a picked point, a preview and a point that finds nothing:
// the borrowed boundary leaves the drawing, no hatch is made and nothing
// is kept for Undo.
TEST_F(HatchCommandTest, CancelAfterPickingAndPreviewingLeavesTheDrawingAsItWas) {
  DrawBox();
  const std::vector<std::string> before = UndoNames();
  dialogs_.Answer<CHatchDlg>([](CHatchDlg&) { return CHatchDlg::kPickPoint; });
  int boundaries = 0;
  dialogs_.Answer<CHatchDlg>([&boundaries](CHatchDlg& dialog) {
    boundaries = dialog.m_boundary.GetCount();
    return CHatchDlg::kPreview;
  });
  dialogs_.Answer<CHatchDlg>([](CHatchDlg&) { return CHatchDlg::kCancel; });
  ASSERT_TRUE(RunScript(script_, "hatch", {"150,140", "", ""}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(boundaries, 1);
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  EXPECT_TRUE(EntitiesOf<FcPolyline>().empty());
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 4u);
  EXPECT_EQ(UndoNames(), before);
}

// Apply with nothing to hatch says so and leaves the drawing's defaults;
// a hatch made keeps its choices as the next defaults, but not a scale of
// 0 or less nor a spacing of 0.
TEST_F(HatchCommandTest, TheDefaultsAreKeptOnlyFromAHatchMadeAndOnlyUsableOnes) {
  dialogs_.Answer<CHatchDlg>([](CHatchDlg& dialog) {
    dialog.m_strPattern = "ANSI37";
    dialog.m_dAngle = 10;
    return CHatchDlg::kApply;
  });
  ASSERT_TRUE(RunScript(script_, "hatch", {}));
  EXPECT_EQ(LastPrinted(), "There isn't any edge to hatch.");
  EXPECT_TRUE(EntitiesOf<FcHatch>().empty());
  const FcSystemVar& variables = script_.Drawing().GetSysVars();
  EXPECT_EQ(std::string(variables.HatchPatternName.c_str()), "SOLID");
  EXPECT_DOUBLE_EQ(variables.HatchAngle, 0.0);

  DrawBox();
  Answer(CHatchDlg::kSelectBoundary, [](CHatchDlg& dialog) {
    dialog.m_nPatternType = CHatchDlg::kUserDefined;
    dialog.m_dSpacing = 0;
    dialog.m_dScale = -1;
    dialog.m_dAngle = 15;
    dialog.m_bDouble = 1;
  });
  ASSERT_TRUE(RunScript(script_, "hatch", {"all", ""}));
  EXPECT_EQ(variables.HatchUserDefined, 1);
  EXPECT_DOUBLE_EQ(variables.HatchSpacing, 1.0);
  EXPECT_DOUBLE_EQ(variables.HatchScale, 1.0);
  EXPECT_DOUBLE_EQ(variables.HatchAngle, 15.0);
  EXPECT_EQ(variables.HatchDouble, 1);
}

class HatchEditTest : public HatchCommandTest {
 protected:
  void SetUp() override {
    DrawBox();
    Answer(CHatchDlg::kSelectBoundary, [](CHatchDlg& dialog) {
      dialog.m_nPatternType = CHatchDlg::kUserDefined;
      dialog.m_dSpacing = 5;
      dialog.m_bDouble = 1;
      dialog.m_dAngle = 30;
    });
    ASSERT_TRUE(RunScript(script_, "hatch", {"all", ""}));
    ASSERT_EQ(EntitiesOf<FcHatch>().size(), 1u);
    script_.OnWindowThread([this] {
      const_cast<FcHatch*>(Hatch())->GetPattern().SetStyle(1);
      return true;
    });
    undoBefore_ = UndoNames();
  }

  const FcHatch* Hatch() { return EntitiesOf<FcHatch>().front(); }

  // The hatch still has the pattern it was made with.
  void ExpectAsMade() {
    const FcHPPattern& pattern = Hatch()->GetPattern();
    EXPECT_EQ(pattern.GetType(), kPatternUserDefined);
    EXPECT_DOUBLE_EQ(pattern.GetScale(), 5.0);
    EXPECT_TRUE(pattern.IsDouble());
    EXPECT_NEAR(pattern.GetAngle(), kPi / 6, 1e-12);
    EXPECT_FALSE(Hatch()->IsSolid());
  }

  std::vector<std::string> undoBefore_;
};

// The dialog opens in its edit mode on the picked hatch's pattern; a pick
// on nothing asks again. Apply is one step of the undo history, and the
// hatch keeps its style.
TEST_F(HatchEditTest, TheDialogShowsThePickedHatchAndApplyIsOneUndoStep) {
  CHatchDlg seen;
  dialogs_.Answer<CHatchDlg>([&seen](CHatchDlg& dialog) {
    seen.m_nEditMode = dialog.m_nEditMode;
    seen.m_nPatternType = dialog.m_nPatternType;
    seen.m_dScale = dialog.m_dScale;
    seen.m_dSpacing = dialog.m_dSpacing;
    seen.m_bDouble = dialog.m_bDouble;
    seen.m_dAngle = dialog.m_dAngle;
    dialog.m_nPatternType = CHatchDlg::kPredefined;
    dialog.m_strPattern = "solid";
    return CHatchDlg::kApply;
  });
  ASSERT_TRUE(RunScript(script_, "hatchedit", {"300,250", "150,140"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(seen.m_nEditMode, 1);
  EXPECT_EQ(seen.m_nPatternType, CHatchDlg::kUserDefined);
  EXPECT_DOUBLE_EQ(seen.m_dScale, 5.0);
  EXPECT_DOUBLE_EQ(seen.m_dSpacing, 5.0);
  EXPECT_EQ(seen.m_bDouble, 1);
  EXPECT_NEAR(seen.m_dAngle, 30.0, 1e-9);

  EXPECT_TRUE(Hatch()->IsSolid());
  EXPECT_EQ(Hatch()->GetPattern().GetType(), kPatternPredefined);
  EXPECT_EQ(Hatch()->GetPattern().GetStyle(), 1);
  std::vector<std::string> expected = undoBefore_;
  expected.push_back("HatchEdit");
  EXPECT_EQ(UndoNames(), expected);
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectAsMade();
  EXPECT_EQ(Hatch()->GetPattern().GetStyle(), 1);
}

// A preview shows the choice until Enter and puts the hatch back before
// the dialog returns; Apply after it is still one step that Undo takes
// back to the hatch as it was before the command.
TEST_F(HatchEditTest, PreviewPutsTheHatchBackAndApplyAfterItIsOneStep) {
  dialogs_.Answer<CHatchDlg>([](CHatchDlg& dialog) {
    dialog.m_nPatternType = CHatchDlg::kPredefined;
    dialog.m_strPattern = "ANSI31";
    dialog.m_dScale = 2;
    return CHatchDlg::kPreview;
  });
  // The dialog is answered on the command thread, which owns the drawing.
  const FcHatch* hatch = Hatch();
  bool putBack = false;
  dialogs_.Answer<CHatchDlg>([&](CHatchDlg&) {
    putBack = hatch->GetPattern().GetType() == kPatternUserDefined;
    return CHatchDlg::kApply;
  });
  script_.Type("hatchedit");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  script_.Type("150,140");
  ASSERT_TRUE(script_.WaitForPromptOrIdle() && script_.IsWaitingForInput());
  EXPECT_EQ(Hatch()->GetPattern().GetName(), "ANSI31");
  script_.Type("");
  ASSERT_TRUE(script_.WaitUntilIdle());
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_TRUE(putBack);
  EXPECT_EQ(Hatch()->GetPattern().GetName(), "ANSI31");
  EXPECT_DOUBLE_EQ(Hatch()->GetPattern().GetScale(), 2.0);
  EXPECT_EQ(UndoNames().size(), undoBefore_.size() + 1);
  ASSERT_TRUE(script_.Run({"undo"}));
  ExpectAsMade();
  EXPECT_EQ(UndoNames(), undoBefore_);
}

// Values the dialog would refuse and a pattern the file lacks change
// nothing and show the dialog again; Cancel then ends with the hatch and
// the undo history as they were.
TEST_F(HatchEditTest, RefusedChoicesAndCancelLeaveTheHatchAsItWas) {
  const struct {
    const char* name;
    std::function<void(CHatchDlg&)> choose;
    std::string message;
  } cases[] = {
      {"scale of zero",
       [](CHatchDlg& d) {
         d.m_nPatternType = CHatchDlg::kPredefined;
         d.m_strPattern = "ANSI31";
         d.m_dScale = 0;
       },
       "Scale must be greater than zero!"},
      {"spacing of zero", [](CHatchDlg& d) { d.m_dSpacing = 0; }, "Space can't be zero!"},
      {"unknown pattern",
       [](CHatchDlg& d) {
         d.m_nPatternType = CHatchDlg::kPredefined;
         d.m_strPattern = "NO_SUCH_PATTERN";
       },
       "Can't find the pattern \"NO_SUCH_PATTERN\" in kovra.pat."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const int code : {CHatchDlg::kApply, CHatchDlg::kPreview}) {
      dialogs_.Answer<CHatchDlg>([&c, code](CHatchDlg& dialog) {
        c.choose(dialog);
        return code;
      });
      dialogs_.Answer<CHatchDlg>([](CHatchDlg&) { return CHatchDlg::kCancel; });
      ASSERT_TRUE(RunScript(script_, "hatchedit", {"150,140"}));
      EXPECT_EQ(dialogs_.Unexpected(), 0);
      EXPECT_EQ(dialogs_.AnswersLeft(), 0);
      EXPECT_EQ(LastPrinted(), c.message);
      ExpectAsMade();
      EXPECT_EQ(UndoNames(), undoBefore_);
    }
  }
}

// Only arcs and ellipses answer the pick: a line under it is passed over
// and the prompt comes again.
TEST_F(HatchCommandTest, Arc2CircleReplacesTheArcAndUndoBringsItBack) {
  Draw({{"arc", "150,100", "200,150", "150,200"}, {"line", "10,10", "20,10", ""}});
  ASSERT_TRUE(RunScript(script_, "arc2circle", {"15,10", "200,150"}));
  EXPECT_EQ(EntitiesOf<FcLine>().size(), 1u);
  const std::vector<const FcCircle*> circles = EntitiesOf<FcCircle>();
  ASSERT_EQ(circles.size(), 1u);
  EXPECT_EQ(dynamic_cast<const FcArc*>(circles[0]), nullptr);
  EXPECT_NEAR(circles[0]->GetRadius(), 50, 1e-9);
  ASSERT_TRUE(script_.Run({"undo"}));
  const std::vector<const FcCircle*> after = EntitiesOf<FcCircle>();
  ASSERT_EQ(after.size(), 1u);
  EXPECT_NE(dynamic_cast<const FcArc*>(after[0]), nullptr);
}

TEST_F(HatchCommandTest, MatchPropGivesTheSelectionTheSourcesColour) {
  Draw({{"line", "10,10", "50,10", ""}, {"line", "10,100", "50,100", ""}});
  script_.OnWindowThread([this] {
    const_cast<FcLine*>(EntitiesIn<FcLine>(script_)[0])->SetColor(3);
    return true;
  });
  ASSERT_TRUE(RunScript(script_, "matchprop", {"30,10", "30,100", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_TRUE(std::any_of(printed.begin(), printed.end(), [](const std::string& line) {
    return line.rfind("Properties: Layer 0, Color ", 0) == 0 && line.find("Linetype ByLayer") != std::string::npos;
  })) << testing::PrintToString(printed);
  for (const FcLine* line : EntitiesOf<FcLine>()) EXPECT_EQ(line->GetColor(), 3);
  EXPECT_EQ(UndoNames().back(), "MatchProp");
}

// An elliptic arc becomes its whole ellipse, the shape kept; Undo gives
// the arc back.
TEST_F(HatchCommandTest, Arc2CircleClosesAnEllipticArc) {
  script_.OnWindowThread([this] {
    auto* ellipse = new FcEllipse;
    ellipse->SetCenter({200, 150});
    ellipse->SetMajorAxis({0, 80});
    ellipse->SetRadiusRatio(0.5);
    ellipse->SetStartAngle(kPi / 2);
    ellipse->SetEndAngle(kPi);
    script_.Drawing().AddEntity(ellipse, true);
    return true;
  });
  ASSERT_FALSE(EntitiesOf<FcEllipse>()[0]->IsFull());
  // The arc runs from the end of the major axis, (200,230), a quarter
  // turn on through (160,150).
  ASSERT_TRUE(RunScript(script_, "arc2circle", {"200,230"}));
  const FcEllipse& closed = *EntitiesOf<FcEllipse>()[0];
  EXPECT_TRUE(closed.IsFull());
  EXPECT_NEAR(closed.GetMajorRadius(), 80, 1e-9);
  EXPECT_NEAR(closed.GetMinorRadius(), 40, 1e-9);
  EXPECT_EQ(UndoNames().back(), "Arc2Circle");
  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_FALSE(EntitiesOf<FcEllipse>()[0]->IsFull());
}

// The source's by-block linetype is named so; an empty selection still
// leaves one MatchProp step.
TEST_F(HatchCommandTest, MatchPropNamesAByBlockLinetypeAndRecordsAnEmptySelection) {
  Draw({{"line", "10,10", "50,10", ""}});
  script_.OnWindowThread([this] {
    const_cast<FcLine*>(EntitiesIn<FcLine>(script_)[0])->SetLinetype(LinetypeByBlock());
    return true;
  });
  const std::size_t steps = UndoNames().size();
  ASSERT_TRUE(RunScript(script_, "matchprop", {"30,10", ""}));
  const std::vector<std::string> printed = Printed();
  EXPECT_TRUE(std::any_of(printed.begin(), printed.end(), [](const std::string& line) {
    return line.rfind("Properties: Layer 0, ", 0) == 0 && line.find("Linetype ByBlock,") != std::string::npos;
  })) << testing::PrintToString(printed);
  EXPECT_EQ(UndoNames().size(), steps + 1);
  EXPECT_EQ(UndoNames().back(), "MatchProp");
}

}  // namespace
