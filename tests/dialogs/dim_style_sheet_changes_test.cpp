#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <functional>
#include <optional>

#include "commands/dialogs/dim_style_dlg.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "dialogs/dim_page_controls.h"
#include "dialogs/dim_style_sample.h"
#include "dialogs/dim_style_sheet.h"
#include "display/dim_style_preview.h"
#include "entities/line.h"
#include "files/object_registrations.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"

namespace {

// The variables the sample last painted with.
FcDimVars painted;

void RecordPaint(QPainter&, FcGraph&, const FcDimVars& vars, int, int) { painted = vars; }

// The sample paints through the recorder while it lives.
class RecordedSample {
 public:
  RecordedSample() : previous_(SetDimSamplePainter(RecordPaint)) {}
  ~RecordedSample() { SetDimSamplePainter(previous_); }
  RecordedSample(const RecordedSample&) = delete;
  RecordedSample& operator=(const RecordedSample&) = delete;

 private:
  DimSamplePainter previous_;
};

// A sheet on the current style of a drawing whose sample part is built,
// as the manager leaves it; alternate units and deviation tolerances are
// on, so that every control of their pages can be used.
struct SheetFixture {
  SheetFixture() {
    RegisterObjectFactories();
    BuildDimStylePreview(1.0, graph);
    FcDimStyle& style = *graph.GetCurrentDimStyle();
    style.dimalt = 1;
    style.dimtol = 1;
    data.emplace(style);
    sheet.emplace(*data, nullptr);
    sample = Child<QWidget>(*sheet, "sample");
    sample->resize(240, 160);
  }
  ~SheetFixture() {
    sheet.reset();
    ClearDimStylePreview(graph);
  }

  QWidget& ShowPage(int index) {
    auto* tabs = sheet->findChild<QTabWidget*>();
    tabs->setCurrentIndex(index);
    return *tabs->currentWidget();
  }

  FcGraph graph;
  std::optional<CDimStyleDlg> data;
  std::optional<DimStyleSheet> sheet;
  QWidget* sample = nullptr;
};

void Type(QWidget& page, const char* name, const char* text) {
  auto* box = Child<QLineEdit>(page, name);
  box->setText(QString::fromUtf8(text));
  emit box->editingFinished();
}

void Choose(QWidget& page, const char* name, int index) {
  auto* list = Child<QComboBox>(page, name);
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void ChooseText(QWidget& page, const char* name, const char* text) {
  Choose(page, name, Child<QComboBox>(page, name)->findText(QString::fromUtf8(text)));
}

void Click(QWidget& page, const char* name) { Child<QAbstractButton>(page, name)->click(); }

void ClickRadio(QWidget& page, const char* group, int id) { Child<QButtonGroup>(page, group)->button(id)->click(); }

void ClickZero(QWidget& page, const char* group, const char* name) {
  Child<QCheckBox>(*Child<DimZeroBoxes>(page, group), name)->click();
}

struct ControlCase {
  const char* what;
  int page;
  std::function<void(QWidget& page)> change;
};

// A change of any kind of control on any page reaches the sheet at once:
// the very next paint of the sample, with no event handled in between,
// shows the variables the page wrote.
TEST(DimStyleSheetChangesTest, EveryControlOfEveryPageRedrawsTheSample) {
  GuiApplication();
  const RecordedSample recorder;
  const ControlCase cases[] = {
      {"dimension line colour", CDimStyleDlg::kLinesPage, [](QWidget& p) { ChooseText(p, "dimLineColor", "Red"); }},
      {"first arrow", CDimStyleDlg::kLinesPage, [](QWidget& p) { ChooseText(p, "firstArrow", "Dot"); }},
      {"arrow size", CDimStyleDlg::kLinesPage, [](QWidget& p) { Type(p, "arrowSize", "0.5"); }},
      {"extension line 1", CDimStyleDlg::kLinesPage, [](QWidget& p) { Click(p, "suppressExtLine1"); }},
      {"centre mark type", CDimStyleDlg::kLinesPage, [](QWidget& p) { Choose(p, "centerType", 1); }},
      {"text colour", CDimStyleDlg::kTextPage, [](QWidget& p) { ChooseText(p, "textColor", "Red"); }},
      {"text height", CDimStyleDlg::kTextPage, [](QWidget& p) { Type(p, "textHeight", "3.5"); }},
      {"text frame", CDimStyleDlg::kTextPage, [](QWidget& p) { Click(p, "frame"); }},
      {"vertical placement", CDimStyleDlg::kTextPage, [](QWidget& p) { Choose(p, "vertical", 2); }},
      {"text alignment", CDimStyleDlg::kTextPage, [](QWidget& p) { Click(p, "alignHorizontal"); }},
      {"fit option", CDimStyleDlg::kFitPage, [](QWidget& p) { ClickRadio(p, "fit", 2); }},
      {"text movement", CDimStyleDlg::kFitPage, [](QWidget& p) { ClickRadio(p, "movement", 2); }},
      {"force line inside", CDimStyleDlg::kFitPage, [](QWidget& p) { Click(p, "forceLineInside"); }},
      {"overall scale", CDimStyleDlg::kFitPage, [](QWidget& p) { Type(p, "scale", "2"); }},
      {"unit format", CDimStyleDlg::kUnitsPage, [](QWidget& p) { Choose(p, "unitFormat", kDimArchitectural); }},
      {"precision", CDimStyleDlg::kUnitsPage, [](QWidget& p) { Choose(p, "precision", 6); }},
      {"suffix", CDimStyleDlg::kUnitsPage, [](QWidget& p) { Type(p, "suffix", "mm"); }},
      {"trailing zeros", CDimStyleDlg::kUnitsPage, [](QWidget& p) { ClickZero(p, "zeros", "trailing"); }},
      {"angle format", CDimStyleDlg::kUnitsPage, [](QWidget& p) { Choose(p, "angleFormat", 2); }},
      {"alternate units off", CDimStyleDlg::kAltUnitsPage, [](QWidget& p) { Click(p, "enabled"); }},
      {"alternate position", CDimStyleDlg::kAltUnitsPage, [](QWidget& p) { ClickRadio(p, "position", 1); }},
      {"alternate prefix", CDimStyleDlg::kAltUnitsPage, [](QWidget& p) { Type(p, "prefix", "~"); }},
      {"alternate scale", CDimStyleDlg::kAltUnitsPage, [](QWidget& p) { Type(p, "scale", "10"); }},
      {"tolerance method", CDimStyleDlg::kTolPage, [](QWidget& p) { Choose(p, "method", 3); }},
      {"upper value", CDimStyleDlg::kTolPage, [](QWidget& p) { Type(p, "upper", "0.3"); }},
      {"justification", CDimStyleDlg::kTolPage, [](QWidget& p) { Choose(p, "justification", 0); }},
      {"alternate leading zeros", CDimStyleDlg::kTolPage, [](QWidget& p) { ClickZero(p, "altZeros", "leading"); }},
  };
  for (const ControlCase& each : cases) {
    SCOPED_TRACE(each.what);
    SheetFixture fixture;
    QWidget& page = fixture.ShowPage(each.page);
    fixture.sample->grab();
    const FcDimVars before = painted;
    ASSERT_TRUE(before == fixture.data->m_vars);
    each.change(page);
    fixture.sample->grab();
    EXPECT_FALSE(painted == before);
    EXPECT_TRUE(painted == fixture.data->m_vars);
  }
}

// A new overall scale on the Adjust page builds the drawing's sample part
// anew at that scale as it is reported, before anything is painted.
TEST(DimStyleSheetChangesTest, NewOverallScaleRebuildsTheSamplePart) {
  GuiApplication();
  const RecordedSample recorder;
  SheetFixture fixture;
  QWidget& page = fixture.ShowPage(CDimStyleDlg::kFitPage);
  const auto firstLineTop = [&] {
    const auto* line = dynamic_cast<const FcLine*>(fixture.graph.GetDimStylePreview()->GetAt(0));
    return line != nullptr ? line->GetEndPoint().y : 0.0;
  };
  const double top = firstLineTop();
  Type(page, "scale", "-50");
  EXPECT_EQ(fixture.data->m_vars.dimscale, 50.0);
  EXPECT_NEAR(firstLineTop(), 50.0 * top, 1e-9);
}

}  // namespace
