#include <string>
#include <vector>

#include "commands/dialogs/ent_prop_dlg.h"
#include "database/graph.h"
#include "database/layer.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/pickable_script.h"

namespace {

struct Current {
  int color;
  std::string layer;
  std::string linetype;
  double scale;
  friend bool operator==(const Current&, const Current&) = default;
};

std::ostream& operator<<(std::ostream& out, const Current& c) {
  return out << c.color << " " << c.layer << " " << c.linetype << " " << c.scale;
}

// Layers "Walls" and "Doors" and the linetype "Dashed" beside layer 0.
class CurrentPropertiesTest : public PickableScriptTest {
 protected:
  CurrentPropertiesTest() {
    script_.OnWindowThread([this] {
      FcGraph& graph = script_.Drawing();
      graph.FindOrCreateLayer("Walls");
      graph.FindOrCreateLayer("Doors");
      return graph.GetOrCreateLinetype("Dashed") != nullptr;
    });
  }

  Current Now() {
    return script_.OnWindowThread([this] {
      const FcGraph& graph = script_.Drawing();
      const FcSystemVar& vars = graph.GetSysVars();
      return Current{vars.cecolor, graph.GetCurrentLayer()->GetName(), vars.celtype.str(), vars.celtscale};
    });
  }

  ScriptedDialogs dialogs_;
};

TEST_F(CurrentPropertiesTest, DdemodesSetsWhatIsInRangeAndUndoRestoresAllFour) {
  struct Case {
    Current answer;
    Current after;
  };
  const Current start{256, "0", "ByLayer", 1.0};
  const Case cases[] = {
      {{3, "walls", "dashed", 2.5}, {3, "Walls", "Dashed", 2.5}},
      {{0, "Doors", "BYBLOCK", 0.0}, {0, "Doors", "ByBlock", 1.0}},
      {{300, "Nowhere", "Dotted", -1.0}, start},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    ASSERT_EQ(Now(), start);
    CEntPropDlg shown;
    dialogs_.Answer<CEntPropDlg>([&](CEntPropDlg& dialog) {
      shown = dialog;
      dialog.m_nColor = c.answer.color;
      dialog.m_strLayer = c.answer.layer;
      dialog.m_strLinetype = c.answer.linetype;
      dialog.m_dLtScale = c.answer.scale;
      return CModalDialog::kOk;
    });
    ASSERT_TRUE(RunScript(script_, "ddemodes", {}));
    EXPECT_EQ(shown.m_strCaption, "Object Creation Modes");
    EXPECT_EQ((Current{shown.m_nColor, shown.m_strLayer, shown.m_strLinetype, shown.m_dLtScale}), start);
    EXPECT_EQ(Now(), c.after);
    EXPECT_EQ(UndoNames(), std::vector<std::string>{"ddemodes"});
    ASSERT_TRUE(RunScript(script_, "undo", {}));
    EXPECT_EQ(LastPrinted(), "Undo : ddemodes");
  }

  dialogs_.Answer<CEntPropDlg>([](CEntPropDlg& dialog) {
    dialog.m_nColor = 3;
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "ddemodes", {}));
  EXPECT_EQ(Now(), start);
  EXPECT_TRUE(UndoNames().empty());
  EXPECT_EQ(dialogs_.Unexpected(), 0);
}

TEST_F(CurrentPropertiesTest, AiMolcMakesThePickedEntitysLayerCurrent) {
  ASSERT_TRUE(RunScript(script_, "line", {"10,10", "40,10", ""}));
  script_.OnWindowThread([this] {
    FcGraph& graph = script_.Drawing();
    return graph.GetLastEntity()->SetLayer(graph.GetLayerList().FindByName("Walls")) == nullptr;
  });
  ASSERT_TRUE(RunScript(script_, "ai_molc", {"200,200"}));
  EXPECT_EQ(Printed(), std::vector<std::string>{"Current layer : 0"});
  EXPECT_EQ(script_.Frame().Prompts().back(), "Select object that its layer will be set to current layer");
  ASSERT_TRUE(RunScript(script_, "ai_molc", {kEsc}));
  EXPECT_EQ(Now().layer, "0");
  EXPECT_EQ(UndoNames(), std::vector<std::string>{"Line"});

  ASSERT_TRUE(RunScript(script_, "ai_molc", {"25,10"}));
  EXPECT_EQ(Now().layer, "Walls");
  EXPECT_EQ(LastPrinted(), "Now the current layer is \"Walls\".");
  EXPECT_EQ(UndoNames().back(), "ai_molc");
  ASSERT_TRUE(RunScript(script_, "undo", {}));
  EXPECT_EQ(Now().layer, "0");
}

}  // namespace
