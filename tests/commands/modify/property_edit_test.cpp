#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs/ent_prop_dlg.h"
#include "commands/modify/entity_property_edit.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "entities/circle.h"
#include "entities/dimension.h"
#include "entities/line.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"

namespace {

struct Properties {
  int color;
  std::string layer;
  std::string linetype;
  double scale;
  friend bool operator==(const Properties&, const Properties&) = default;
};

std::ostream& operator<<(std::ostream& out, const Properties& p) {
  return out << p.color << " " << p.layer << " " << p.linetype << " " << p.scale;
}

Properties PropertiesOf(const FcEntity& entity) {
  const FcLineType* linetype = entity.GetLinetype();
  return {entity.GetColor(), entity.GetLayer() != nullptr ? entity.GetLayer()->GetName() : "(none)",
          linetype == nullptr ? "ByLayer" : linetype == LinetypeByBlock() ? "ByBlock" : linetype->GetName(),
          entity.GetLinetypeScale()};
}

bool ListsHandle(const FcLayer& layer, FcHandle handle) {
  const CDataArray<FcHandle>& handles = layer.GetEntityHandles();
  for (int i = 0; i < handles.count; ++i)
    if (handles.items[i] == handle) return true;
  return false;
}

// A red line from (10,10) to (40,10) on layer 0 and a blue circle about
// (100,100) of radius 20 on layer "Walls" with linetype "Dashed" and
// scale 2; "Doors" is a third layer.
class PropertyEditTest : public PickableScriptTest {
 protected:
  PropertyEditTest() {
    EXPECT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
    EXPECT_TRUE(RunScript(script_, "circle", {"100,100", "20"}));
    script_.OnWindowThread([this] {
      FcGraph& graph = script_.Drawing();
      graph.FindOrCreateLayer("Doors");
      FcLineType* dashed = graph.GetOrCreateLinetype("Dashed");
      Line()->SetColor(1);
      FcEntity* circle = Circle();
      circle->SetColor(5);
      circle->SetLayer(graph.FindOrCreateLayer("Walls"));
      circle->SetLinetype(dashed);
      circle->SetLinetypeScale(2.0);
      return 0;
    });
  }

  FcEntity* Line() { return const_cast<FcLine*>(EntitiesOf<FcLine>().front()); }
  FcEntity* Circle() { return const_cast<FcCircle*>(EntitiesOf<FcCircle>().front()); }
  Properties Of(FcEntity* entity) {
    return script_.OnWindowThread([entity] { return PropertiesOf(*entity); });
  }
  bool LayerLists(const char* layer, FcEntity* entity) {
    return script_.OnWindowThread([&] {
      return ListsHandle(*script_.Drawing().GetLayerList().FindByName(layer), entity->GetHandle());
    });
  }

  // Change on the line and the circle, the dialog answered by the edit.
  void ChangeBoth(std::function<int(CEntPropDlg&)> edit) {
    dialogs_.Answer<CEntPropDlg>(std::move(edit));
    ASSERT_TRUE(RunScript(script_, "Change", {"25,10", "100,80", ""}));
    EXPECT_EQ(dialogs_.Unexpected(), 0);
  }

  ScriptedDialogs dialogs_;
};

TEST_F(PropertyEditTest, EveryEntityTakesTheFirstOnesValuesAndUndoGivesThemBack) {
  const Properties line = Of(Line());
  const Properties circle = Of(Circle());
  CEntPropDlg shown;
  ChangeBoth([&](CEntPropDlg& dialog) {
    shown = dialog;
    return CModalDialog::kOk;
  });
  EXPECT_EQ(shown.m_strCaption, "Object Properties");
  EXPECT_EQ(shown.m_pGraph, &script_.Drawing());
  EXPECT_EQ((Properties{shown.m_nColor, shown.m_strLayer, shown.m_strLinetype, shown.m_dLtScale}), line);
  EXPECT_EQ(Of(Line()), line);
  EXPECT_EQ(Of(Circle()), line);
  EXPECT_TRUE(LayerLists("0", Circle()));
  EXPECT_FALSE(LayerLists("Walls", Circle()));
  EXPECT_EQ(UndoNames().back(), "Change");

  ASSERT_TRUE(RunScript(script_, "undo", {}));
  EXPECT_EQ(Of(Circle()), circle);
  EXPECT_EQ(Of(Line()), line);
}

TEST_F(PropertyEditTest, AnswersOutOfRangeLeaveTheirPropertyAndAnUnknownLinetypeIsByLayer) {
  struct Case {
    Properties answer;
    Properties line;
    bool circleOnWalls;
  };
  const Case cases[] = {
      {{3, "doors", "dashed", 0.5}, {3, "Doors", "Dashed", 0.5}, false},
      {{0, "Walls", "BYBLOCK", 4.0}, {0, "Walls", "ByBlock", 4.0}, true},
      {{257, "Nowhere", "Dotted", 0.0}, {1, "0", "ByLayer", 1.0}, true},
      {{-1, "", "ByLayer", -2.0}, {1, "0", "ByLayer", 1.0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    ChangeBoth([&c](CEntPropDlg& dialog) {
      dialog.m_nColor = c.answer.color;
      dialog.m_strLayer = c.answer.layer;
      dialog.m_strLinetype = c.answer.linetype;
      dialog.m_dLtScale = c.answer.scale;
      return CModalDialog::kOk;
    });
    EXPECT_EQ(Of(Line()), c.line);
    EXPECT_TRUE(LayerLists(c.line.layer.c_str(), Line()));
    // The circle's old layer no longer lists it once it moved.
    EXPECT_EQ(LayerLists("Walls", Circle()), c.circleOnWalls);
    ASSERT_TRUE(RunScript(script_, "undo", {}));
  }
}

TEST_F(PropertyEditTest, CancelChangesNothingAndTakesTheHighlightOff) {
  const Properties circle = Of(Circle());
  ChangeBoth([](CEntPropDlg& dialog) {
    dialog.m_nColor = 3;
    return CModalDialog::kCancel;
  });
  EXPECT_EQ(Of(Circle()), circle);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "Circle"}));
  EXPECT_EQ(script_.OnWindowThread([this] {
    int highlighted = 0;
    FcDisplaySurface* surface = script_.Drawing().GetDisplaySurface();
    for (int i = 0; i < surface->GetGroupCount(); ++i) highlighted += surface->GetGroup(i)->highlighted ? 1 : 0;
    return highlighted;
  }),
            0);
  // An empty selection shows no dialog.
  ASSERT_TRUE(RunScript(script_, "Change", {""}));
  EXPECT_EQ(dialogs_.Shown(), 1);
}

// A horizontal dimension from (0,200) to (50,200); "Red" is a second
// style that draws dimension lines red.
class DimensionPropertyTest : public PropertyEditTest {
 protected:
  DimensionPropertyTest() {
    EXPECT_TRUE(RunScript(script_, "DimHorizon", {"0,200", "50,200", "25,220", ""}));
    script_.OnWindowThread([this] { return script_.Drawing().NewDimStyle("Red")->SetDimclrd(1), 0; });
  }

  FcDimension* Dimension() { return const_cast<FcDimension*>(EntitiesOf<FcDimension>().front()); }
  // The lines of the dimension's block drawn red.
  int RedLines() {
    return script_.OnWindowThread([this] {
      int red = 0;
      for (const FcEntity* entity : Dimension()->GetDimBlock()->GetEntities())
        red += dynamic_cast<const FcLine*>(entity) != nullptr && entity->GetColor() == 1 ? 1 : 0;
      return red;
    });
  }
};

TEST_F(DimensionPropertyTest, ChangeRebuildsADimension) {
  ASSERT_EQ(RedLines(), 0);
  script_.OnWindowThread([this] { return Dimension()->ResolveDimStyle()->SetDimclrd(1), 0; });
  dialogs_.Answer<CEntPropDlg>([](CEntPropDlg&) { return CModalDialog::kOk; });
  ASSERT_TRUE(RunScript(script_, "Change", {"10,220", ""}));
  EXPECT_EQ(dialogs_.Shown(), 1);
  EXPECT_GT(RedLines(), 0);
}

TEST_F(DimensionPropertyTest, TheDimensionEditorRestylesByAnExistingName) {
  struct Case {
    const char* style;
    const char* after;
  };
  const Case cases[] = {{"nowhere", "ISO-25"}, {"red", "Red"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    std::string shownStyle;
    dialogs_.Answer<CDimPropDlg>([&](CDimPropDlg& dialog) {
      shownStyle = dialog.m_strDimStyle;
      dialog.m_strDimStyle = c.style;
      dialog.m_nColor = 6;
      return CModalDialog::kOk;
    });
    // The view's double click runs the editor on the window thread.
    script_.OnWindowThread([this] { return EditDimensionProperties(script_.Drawing(), *Dimension()), 0; });
    EXPECT_EQ(shownStyle, "ISO-25");
    const std::string styled = script_.OnWindowThread([this] { return Dimension()->GetDimStyle()->GetName(); });
    EXPECT_EQ(styled, c.after);
    EXPECT_EQ(Of(Dimension()).color, 6);
    EXPECT_EQ(UndoNames().back(), "Change");
    EXPECT_EQ(RedLines() > 0, styled == "Red");
    ASSERT_TRUE(RunScript(script_, "undo", {}));
  }
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

}  // namespace
