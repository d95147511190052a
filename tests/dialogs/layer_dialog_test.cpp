#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>

#include "commands/dialogs/layer_set_dlg.h"
#include "database/graph.h"
#include "database/layer.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/layer_dialog.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

TEST(LayerDialogWidgetTest, ShowsTheWorkingLayersAndChangesOnlyTheData) {
  GuiApplication();
  FcGraph graph;
  graph.FindOrCreateLayer("Walls")->SetColor(30);
  CLayerSetDlg data;
  data.m_pGraph = &graph;
  data.Load();

  QStringList names;
  QString label, color;
  ModalCloser closer([&](QDialog& dialog) {
    auto* list = dialog.findChild<QTableWidget*>(QStringLiteral("layers"));
    for (int row = 0; row < list->rowCount(); ++row) names << list->item(row, LayerDialog::kName)->text();
    color = list->item(1, LayerDialog::kColor)->text();
    label = dialog.findChild<QLabel*>(QStringLiteral("currentLayer"))->text();
    // A click on the On cell of "Walls", which is not current.
    emit list->cellClicked(1, LayerDialog::kOn);
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(names, (QStringList{QStringLiteral("0"), QStringLiteral("Walls")}));
  EXPECT_EQ(color, QStringLiteral("Color 30"));
  EXPECT_EQ(label, QStringLiteral("Current Layer: 0"));
  EXPECT_FALSE(data.Layers()[1]->IsOn());
  EXPECT_TRUE(graph.GetLayerList().FindByName("Walls")->IsOn());
}

}  // namespace
