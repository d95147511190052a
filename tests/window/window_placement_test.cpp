#include "window/window_placement.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <string>

#include "platform/qt/program_settings_store.h"
#include "tests/support/temp_dir.h"

namespace {

using Kind = PlacementOutcome::Kind;

WindowPlacement Stored(int show, PlacementRect window, PlacementRect workArea) {
  return {show, window, workArea, 9};
}

TEST(WindowPlacement, TextRoundTripsAndCountsWhatItHolds) {
  const WindowPlacement placement = Stored(3, {10, -20, 810, 580}, {0, 0, 1600, 1170});
  const std::string text = FormatWindowPlacement(placement);
  EXPECT_EQ(text, "3,10,-20,810,580,0,0,1600,1170");
  const WindowPlacement read = ParseWindowPlacement(text);
  EXPECT_EQ(read.valuesRead, 9);
  EXPECT_EQ(read.show, 3);
  EXPECT_EQ(read.window, placement.window);
  EXPECT_EQ(read.workArea, placement.workArea);

  EXPECT_EQ(ParseWindowPlacement("").valuesRead, 0);
  EXPECT_EQ(ParseWindowPlacement("1,10,20,300").valuesRead, 4);
  EXPECT_EQ(ParseWindowPlacement("1,10,x,300,400,0,0,800,600").valuesRead, 2);
}

TEST(WindowPlacement, StoredPlacementIsFittedToTheCurrentWorkArea) {
  const PlacementRect small{0, 0, 800, 600};
  const PlacementRect large{0, 0, 1600, 1200};
  struct Case {
    const char* name;
    WindowPlacement stored;
    PlacementRect workArea;
    Kind kind;
    PlacementRect window;
  };
  const Case cases[] = {
      {"nothing stored", {}, small, Kind::kMaximise, {}},
      {"fewer than nine numbers", ParseWindowPlacement("1,10,20,300,400,0,0,800"), small, Kind::kMaximise, {}},
      {"empty window", Stored(1, {10, 10, 10, 300}, small), small, Kind::kKeep, {}},
      {"empty work area", Stored(1, {10, 10, 300, 300}, {0, 0, 0, 0}), small, Kind::kKeep, {}},
      {"maximised", Stored(3, {0, 0, 1600, 1200}, large), small, Kind::kMaximise, {}},
      {"same screen", Stored(1, {100, 50, 600, 450}, small), small, Kind::kPlace, {100, 50, 600, 450}},
      {"smaller screen scales the size", Stored(1, {40, 30, 840, 630}, large), small, Kind::kPlace,
       {40, 30, 440, 330}},
      // Saved at the right of a wide screen: kept where the user can reach it.
      {"beyond the right edge", Stored(1, {1200, 900, 1400, 1100}, large), small, Kind::kPlace,
       {700, 500, 800, 600}},
      {"left of a second screen", Stored(1, {-900, -50, -100, 550}, small), small, Kind::kPlace,
       {0, 0, 800, 600}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PlacementOutcome outcome = PlaceOnWorkArea(c.stored, c.workArea);
    EXPECT_EQ(outcome.kind, c.kind);
    if (c.kind == Kind::kPlace) {
      EXPECT_EQ(outcome.window, c.window);
    }
  }
}

TEST(WindowPlacement, IsStoredUnderTheSettingsSection) {
  TempDir home;
  std::unique_ptr<QSettings> store = OpenSettingsStore(home.path() + "kovra.ini");
  store->setValue(QStringLiteral("Settings/MainWindowPos"), QStringLiteral("1,100,50,600,450,0,0,800,600"));
  const WindowPlacement placement = LoadWindowPlacement(*store, kMainWindowPlacementEntry);
  EXPECT_EQ(placement.valuesRead, 9);
  EXPECT_EQ(placement.window, (PlacementRect{100, 50, 600, 450}));
  EXPECT_EQ(LoadWindowPlacement(*store, QStringLiteral("Window Pos")).valuesRead, 0);
}

}  // namespace
