#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The command bar and the command-history window. Colours are RGB values
// with red in the low byte; the shell puts the system's colours and font
// size here before the stored values are loaded.
struct CommandLineWindowSettings {
  std::uint32_t back_color = 0xFFFFFF;
  std::uint32_t text_color = 0x000000;
  std::string font_name = "Courier";
  std::int32_t font_height = 0;  // 0: the system font's size
  std::int32_t font_weight = 400;
  std::uint8_t font_italic = 0;
  std::uint8_t font_char_set = 0;
};

struct RevCloudSettings {
  int style = 0;
  double min_arc_length = 15.0;
  double max_arc_length = 15.0;
};

inline constexpr int kPenColorCount = 256;
inline constexpr int kFirstMenuCommandId = 34500;

// The settings of the whole program, kept between sessions. Both the window
// thread and the command threads read them without a lock; the window
// thread writes them (start-up, the options dialogs, menu reload), and so
// do the commands named after ATTDIA, ATTREQ, DELOBJ and ZOOMFACTOR on a
// command thread, each one whole number at a time.
struct ProgramSettings {
  // Stored under "Parameters".
  std::string template_file;
  int select_box_size = 5;
  int snap_box_size = 5;
  int snap_marker_size = 6;
  int osnap_color = 6;
  int apbox = 1;
  int background_color = 7;
  int cursor_color = 7;
  int cursor_size = 100;
  int cursor_thickness = 1;
  int coords = 1;
  int grip_color = 5;
  int grip_hot = 1;
  int grip_size = 4;
  int edge_mode = 0;
  int offset_gap_type = 0;
  int attdia = 0;
  int attreq = 1;
  int zoom_factor = 20;
  int save_time = 60;  // autosave interval in minutes; 0 or less: no autosave
  int save_backup = 1;
  std::string menu_file_name;
  int big_icon_toolbar = 0;
  int del_obj = 1;

  // Stored under "Parameters/Command Line Window" and "Parameters/RevCloud".
  CommandLineWindowSettings command_line;
  RevCloudSettings rev_cloud;

  // Stored under "PrintPenWidth": the printed line width of each colour index.
  std::array<double, kPenColorCount> print_pen_width{};

  // Stored as "Path": directories separated by ";" or ",".
  std::string search_path;

  // Worked out at load, not stored.
  std::string program_directory;   // with its trailing '/'
  std::string autosave_directory;  // with its trailing '/'
  std::string autosave_file_name = "kovra_autosave.ac$";
  std::string default_text_font_file;
  int next_menu_command_id = kFirstMenuCommandId;
  char decimal_separator = '.';
  char list_separator = ',';
  int redraw_progress_threshold = 45000;  // display items above which a redraw shows progress
};

// The one instance of the program.
ProgramSettings& GetProgramSettings();

// One number under "Parameters": a stored value is brought into [low, high],
// compared without sign, so that a negative number counts as too large.
struct ParameterRule {
  const char* name;
  int ProgramSettings::*field;
  std::uint32_t low;
  std::uint32_t high;
};

std::span<const ParameterRule> ParameterRules();
int ClampParameter(const ParameterRule& rule, std::uint32_t stored);

// The grips of a program whose "Parameters" were never stored.
void ApplyMissingParametersDefaults(ProgramSettings* settings);

// A stored arc length that is not positive becomes 1.
double ClampArcLength(double stored);
// Keeps the maximum arc length between the minimum and three times it.
void BalanceArcLengths(RevCloudSettings* rev_cloud);

// Longest texts taken from the store; a longer one keeps the default.
inline constexpr std::size_t kMaxStoredPathLength = 511;
inline constexpr std::size_t kMaxFontNameLength = 31;

// The part of loading that reads nothing stored: the redraw threshold, the
// separators, the program and autosave directories (autosave falls back to
// the system's temporary folder when the program directory cannot be
// written) and the default menu file.
void PrepareProgramSettings(ProgramSettings* settings, const std::string& program_path);

// The search path from the stored "Path": leading ";" dropped; when nothing
// is left, the program directory and its "Support" and "Fonts" folders.
std::string BuildSearchPath(const std::string& stored_path, const std::string& program_directory);

// The default text font: "SIMPLEX.SHX" along the search path, else the
// file the installed TrueType fallback names; empty when neither is there.
std::string FindDefaultTextFontFile(const std::string& search_path);
// The font floor sits above this one, so its user installs the fallback
// (the machine's first TrueType font file) at start-up.
void SetTrueTypeFontFallback(std::function<std::string()> fallback);

// Machines with little memory report progress of smaller redraws.
int RedrawProgressThreshold(std::uint64_t physical_memory_bytes);
