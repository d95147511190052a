#include "platform/program_settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "core/number_separators.h"
#include "fonts/truetype_registry.h"
#include "platform/file_system.h"
#include "platform/qt/program_settings_store.h"
#include "tests/support/temp_dir.h"

namespace {

// A program laid out in a temporary folder, with its settings file beside it.
class ProgramSettingsTest : public ::testing::Test {
 protected:
  std::string ProgramPath() const { return dir_.path() + "bin/kovra"; }
  std::string IniPath() const { return dir_.path() + "settings.ini"; }

  void Store(const QString& key, const QString& value) {
    QSettings store(QString::fromStdString(IniPath()), QSettings::IniFormat);
    store.setValue(key, value);
  }

  ProgramSettings Load() {
    ProgramSettings settings;
    std::unique_ptr<QSettings> store = OpenSettingsStore(IniPath());
    LoadSettings(&settings, *store, ProgramPath());
    return settings;
  }

  TempDir dir_;
};

TEST_F(ProgramSettingsTest, EmptyStoreGivesDefaults) {
  std::string bin = dir_.MakeDirectory("bin") + "/";
  dir_.Write("bin/Fonts/simplex.shx");
  ProgramSettings settings = Load();
  EXPECT_EQ(settings.program_directory, bin);
  EXPECT_EQ(settings.search_path, bin + ";" + bin + "Support;" + bin + "Fonts");
  EXPECT_EQ(settings.menu_file_name, bin + "Support/kovra.mnu");
  EXPECT_EQ(settings.default_text_font_file, bin + "Fonts/simplex.shx");
  EXPECT_EQ(settings.autosave_file_name, "kovra_autosave.ac$");
  EXPECT_EQ(settings.autosave_directory, bin);
  EXPECT_EQ(settings.next_menu_command_id, 34500);
  EXPECT_EQ(settings.template_file, "");
  EXPECT_EQ(settings.save_time, 60);
  EXPECT_EQ(settings.zoom_factor, 20);
  EXPECT_EQ(settings.cursor_size, 100);
  EXPECT_EQ(settings.del_obj, 1);
  EXPECT_EQ(settings.print_pen_width[7], 0.0);
  EXPECT_EQ(settings.rev_cloud.min_arc_length, 15.0);
  EXPECT_EQ(settings.command_line.font_name, "Courier");
  // With no "Parameters" at all the grips take their first-run look.
  EXPECT_EQ(settings.grip_color, 160);
  EXPECT_EQ(settings.grip_size, 5);
}

// Without "SIMPLEX.SHX" along the search path the default text font is the
// machine's first TrueType font, named so that it can be opened.
TEST_F(ProgramSettingsTest, DefaultTextFontFallsBackOnATrueTypeFile) {
  if (FirstTrueTypeFontFile().empty()) GTEST_SKIP() << "the machine has no TrueType font";
  dir_.Write("bin/Fonts/txt.shx");
  const std::string font = Load().default_text_font_file;
  EXPECT_TRUE(FileExists(font)) << font;
  EXPECT_TRUE(IsTrueTypeFileName(font)) << font;
  std::string face;
  EXPECT_NE(FindTrueTypeFaceByFile(font, &face, 1), 0);
}

TEST_F(ProgramSettingsTest, PresentParametersKeepTheOrdinaryGripDefaults) {
  Store("Parameters/ZoomFactor", "30");
  ProgramSettings settings = Load();
  EXPECT_EQ(settings.zoom_factor, 30);
  EXPECT_EQ(settings.grip_color, 5);
  EXPECT_EQ(settings.grip_size, 4);
}

TEST_F(ProgramSettingsTest, StoredNumbersAreClamped) {
  struct Case {
    const char* name;
    const char* stored;
    int ProgramSettings::*field;
    int expected;
  } cases[] = {
      {"ZoomFactor", "1", &ProgramSettings::zoom_factor, 3},
      {"ZoomFactor", "500", &ProgramSettings::zoom_factor, 100},
      {"cursorthickness", "0", &ProgramSettings::cursor_thickness, 1},
      {"cursorthickness", "2", &ProgramSettings::cursor_thickness, 1},
      {"cursorthickness", "3", &ProgramSettings::cursor_thickness, 3},
      {"cursorthickness", "4", &ProgramSettings::cursor_thickness, 3},
      {"cursorthickness", "9", &ProgramSettings::cursor_thickness, 5},
      {"gripsize", "-1", &ProgramSettings::grip_size, 20},  // negative counts as too large
      {"gripsize", "1", &ProgramSettings::grip_size, 2},
      {"SelectBoxSize", "0", &ProgramSettings::select_box_size, 1},
      {"SnapBoxSize", "21", &ProgramSettings::snap_box_size, 20},
      {"SnapMarkerSize", "1", &ProgramSettings::snap_marker_size, 2},
      {"OSnapColor", "0", &ProgramSettings::osnap_color, 1},
      {"OSnapColor", "256", &ProgramSettings::osnap_color, 255},
      {"BackgroundColor", "0", &ProgramSettings::background_color, 0},
      {"cursorsize", "0", &ProgramSettings::cursor_size, 1},
      {"cursorsize", "101", &ProgramSettings::cursor_size, 100},
      {"coords", "3", &ProgramSettings::coords, 2},
      {"Apbox", "7", &ProgramSettings::apbox, 1},
      {"attdia", "2", &ProgramSettings::attdia, 1},
      {"offsetgaptype", "9", &ProgramSettings::offset_gap_type, 2},
      {"savetime", "0", &ProgramSettings::save_time, 0},
      {"savetime", "100000", &ProgramSettings::save_time, 100000},
      {"savetime", "ten", &ProgramSettings::save_time, 60},  // another type keeps the default
      {"ZoomFactor", "25.5", &ProgramSettings::zoom_factor, 20},
      {"ZoomFactor", "99999999999", &ProgramSettings::zoom_factor, 20},
  };
  for (const Case& c : cases) {
    Store(QStringLiteral("Parameters/") + c.name, c.stored);
    EXPECT_EQ(Load().*c.field, c.expected) << c.name << " = " << c.stored;
    std::filesystem::remove(IniPath());
  }
}

TEST_F(ProgramSettingsTest, StoredTextsAndPaths) {
  std::string bin = dir_.path() + "bin/";
  struct Case {
    const char* key;
    std::string stored;
    std::string ProgramSettings::*field;
    std::string expected;
  } cases[] = {
      {"Path", ";;/a;/b", &ProgramSettings::search_path, "/a;/b"},
      {"Path", "", &ProgramSettings::search_path, bin + ";" + bin + "Support;" + bin + "Fonts"},
      {"Path", std::string(512, 'p'), &ProgramSettings::search_path, bin + ";" + bin + "Support;" + bin + "Fonts"},
      {"Path", "/a,/b;/c", &ProgramSettings::search_path, "/a,/b;/c"},
      {"Parameters/TemplateFile", "C:\\dwg\\a.dwt", &ProgramSettings::template_file, "C:/dwg/a.dwt"},
      {"Parameters/TemplateFile", std::string(512, 't'), &ProgramSettings::template_file, ""},
      {"Parameters/MenuFileName", "/m/x.mnu", &ProgramSettings::menu_file_name, "/m/x.mnu"},
  };
  for (const Case& c : cases) {
    Store(c.key, QString::fromStdString(c.stored));
    EXPECT_EQ(Load().*c.field, c.expected) << c.key << " = " << c.stored.substr(0, 20);
    std::filesystem::remove(IniPath());
  }
  // Written by hand, an unquoted comma would split the text into a list.
  dir_.Write("settings.ini", "[General]\nPath=/a,/b\n");
  EXPECT_EQ(Load().search_path, "/a,/b");
}

TEST_F(ProgramSettingsTest, RevCloudLengths) {
  struct Case {
    const char* min;
    const char* max;
    double expected_min;
    double expected_max;
  } cases[] = {
      {"10", "20", 10, 20},   {"10", "5", 10, 10},  // a maximum below the minimum is raised
      {"10", "50", 10, 30},                         // and one above three times it lowered
      {"0", "-2", 1, 1},                            // lengths that are not positive become 1
      {"nan", "inf", 15, 15},                       // non-finite lengths keep the defaults
  };
  for (const Case& c : cases) {
    Store("Parameters/RevCloud/MinArcLength", c.min);
    Store("Parameters/RevCloud/MaxArcLength", c.max);
    RevCloudSettings rev_cloud = Load().rev_cloud;
    EXPECT_EQ(rev_cloud.min_arc_length, c.expected_min) << c.min << " " << c.max;
    EXPECT_EQ(rev_cloud.max_arc_length, c.expected_max) << c.min << " " << c.max;
    std::filesystem::remove(IniPath());
  }
}

TEST_F(ProgramSettingsTest, SavedSettingsLoadBackUnchanged) {
  ProgramSettings saved = Load();
  saved.template_file = "/t/a, b.dwt";
  saved.menu_file_name = "/m/kovra.mnu";
  saved.search_path = "/x;/y";
  saved.zoom_factor = 35;
  saved.cursor_thickness = 3;
  saved.grip_color = 9;
  saved.save_time = -1;
  saved.big_icon_toolbar = 1;
  saved.print_pen_width[1] = 0.35;
  saved.print_pen_width[255] = 1.0 / 3.0;
  saved.command_line = {0x102030, 0xFFEEDD, "Mono", -13, 700, 1, 204};
  saved.rev_cloud = {1, 2.5, 7.25};
  {
    std::unique_ptr<QSettings> store = OpenSettingsStore(IniPath());
    ASSERT_TRUE(SaveSettings(saved, *store));
  }
  ProgramSettings loaded = Load();
  EXPECT_EQ(loaded.template_file, saved.template_file);
  EXPECT_EQ(loaded.menu_file_name, saved.menu_file_name);
  EXPECT_EQ(loaded.search_path, saved.search_path);
  for (const ParameterRule& rule : ParameterRules()) EXPECT_EQ(loaded.*rule.field, saved.*rule.field) << rule.name;
  EXPECT_EQ(loaded.print_pen_width, saved.print_pen_width);
  EXPECT_EQ(loaded.command_line.back_color, saved.command_line.back_color);
  EXPECT_EQ(loaded.command_line.text_color, saved.command_line.text_color);
  EXPECT_EQ(loaded.command_line.font_name, "Mono");
  EXPECT_EQ(loaded.command_line.font_height, -13);
  EXPECT_EQ(loaded.command_line.font_weight, 700);
  EXPECT_EQ(loaded.command_line.font_italic, 1);
  EXPECT_EQ(loaded.command_line.font_char_set, 204);
  EXPECT_EQ(loaded.rev_cloud.style, 1);
  EXPECT_EQ(loaded.rev_cloud.min_arc_length, 2.5);
  EXPECT_EQ(loaded.rev_cloud.max_arc_length, 7.25);
}

TEST_F(ProgramSettingsTest, UnwritableStoreReportsFailure) {
  std::string blocker = dir_.Write("blocker");
  std::unique_ptr<QSettings> store = OpenSettingsStore(blocker + "/settings.ini");
  EXPECT_FALSE(SaveSettings(ProgramSettings{}, *store));
}

TEST_F(ProgramSettingsTest, LoadingPublishesTheSeparators) {
  SetNumberSeparators({',', ';'});
  Load();
  NumberSeparators separators = GetNumberSeparators();
  EXPECT_EQ(separators.decimal, '.');
  EXPECT_EQ(separators.list, ',');
}

TEST(RedrawProgressThreshold, FollowsPhysicalMemory) {
  constexpr std::uint64_t kMb = 1024 * 1024;
  struct Case {
    std::uint64_t bytes;
    int threshold;
  } cases[] = {{64 * kMb, 10000},  {120 * kMb, 10000}, {121 * kMb, 15000},  {245 * kMb, 15000},
               {505 * kMb, 30000}, {506 * kMb, 45000}, {16384 * kMb, 45000}};
  for (const Case& c : cases) EXPECT_EQ(RedrawProgressThreshold(c.bytes), c.threshold) << c.bytes / kMb;
}

}  // namespace
