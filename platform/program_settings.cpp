#include "platform/program_settings.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/file_system.h"
#include "platform/installed_hook.h"

namespace {

InstalledHook<std::function<std::string()>>& TrueTypeFontFallback() {
  static InstalledHook<std::function<std::string()>> hook;
  return hook;
}

constexpr std::uint32_t kAny = std::numeric_limits<std::uint32_t>::max();

constexpr ParameterRule kParameterRules[] = {
    {"SelectBoxSize", &ProgramSettings::select_box_size, 1, 20},
    {"SnapBoxSize", &ProgramSettings::snap_box_size, 1, 20},
    {"SnapMarkerSize", &ProgramSettings::snap_marker_size, 2, 20},
    {"OSnapColor", &ProgramSettings::osnap_color, 1, 255},
    {"Apbox", &ProgramSettings::apbox, 0, 1},
    {"BackgroundColor", &ProgramSettings::background_color, 0, 255},
    {"cursorcolor", &ProgramSettings::cursor_color, 0, 255},
    {"cursorsize", &ProgramSettings::cursor_size, 1, 100},
    {"cursorthickness", &ProgramSettings::cursor_thickness, 1, 5},
    {"coords", &ProgramSettings::coords, 0, 2},
    {"gripcolor", &ProgramSettings::grip_color, 1, 255},
    {"griphot", &ProgramSettings::grip_hot, 1, 255},
    {"gripsize", &ProgramSettings::grip_size, 2, 20},
    {"edgemod", &ProgramSettings::edge_mode, 0, 1},
    {"offsetgaptype", &ProgramSettings::offset_gap_type, 0, 2},
    {"attdia", &ProgramSettings::attdia, 0, 1},
    {"attreq", &ProgramSettings::attreq, 0, 1},
    {"ZoomFactor", &ProgramSettings::zoom_factor, 3, 100},
    {"savetime", &ProgramSettings::save_time, 0, kAny},
    {"isavebak", &ProgramSettings::save_backup, 0, 1},
    {"BigIconToolBar", &ProgramSettings::big_icon_toolbar, 0, kAny},
    {"DelObj", &ProgramSettings::del_obj, 0, 1},
};

constexpr std::uint64_t kMegabyte = 1024 * 1024;

std::uint64_t PhysicalMemoryBytes() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
}

std::string WithTrailingSlash(std::string directory) {
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory;
}

std::string ProgramDirectory(const std::string& program_path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(program_path, error);
  if (error) absolute = program_path;
  return WithTrailingSlash(absolute.parent_path().string());
}

std::string AutosaveDirectory(const std::string& program_directory) {
  if (access(program_directory.c_str(), W_OK) == 0) return program_directory;
  std::error_code error;
  std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  if (error) return program_directory;
  return WithTrailingSlash(temp.string());
}

}  // namespace

ProgramSettings& GetProgramSettings() {
  static ProgramSettings settings;
  return settings;
}

std::span<const ParameterRule> ParameterRules() { return kParameterRules; }

int ClampParameter(const ParameterRule& rule, std::uint32_t stored) {
  std::uint32_t value = std::clamp(stored, rule.low, rule.high);
  // The crosshair comes in three thicknesses only: 1, 3 and 5 pixels.
  if (rule.field == &ProgramSettings::cursor_thickness && (value == 2 || value == 4)) --value;
  return static_cast<int>(static_cast<std::int32_t>(value));
}

void ApplyMissingParametersDefaults(ProgramSettings* settings) {
  settings->grip_color = 160;
  settings->grip_size = 5;
}

double ClampArcLength(double stored) { return stored <= 0.0 ? 1.0 : stored; }

void BalanceArcLengths(RevCloudSettings* rev_cloud) {
  if (rev_cloud->max_arc_length <= rev_cloud->min_arc_length) {
    rev_cloud->max_arc_length = rev_cloud->min_arc_length;
    return;
  }
  rev_cloud->max_arc_length = std::min(rev_cloud->max_arc_length, 3.0 * rev_cloud->min_arc_length);
}

void PrepareProgramSettings(ProgramSettings* settings, const std::string& program_path) {
  settings->redraw_progress_threshold = RedrawProgressThreshold(PhysicalMemoryBytes());
  settings->decimal_separator = '.';
  settings->list_separator = ',';
  settings->program_directory = ProgramDirectory(program_path);
  settings->autosave_directory = AutosaveDirectory(settings->program_directory);
  settings->menu_file_name = settings->program_directory + "Support/kovra.mnu";
}

std::string BuildSearchPath(const std::string& stored_path, const std::string& program_directory) {
  std::string path = stored_path.substr(std::min(stored_path.find_first_not_of(';'), stored_path.size()));
  if (!path.empty()) return path;
  return program_directory + ";" + program_directory + "Support;" + program_directory + "Fonts";
}

std::string FindDefaultTextFontFile(const std::string& search_path) {
  std::string found;
  if (FindFileInPathList(search_path, &found, "SIMPLEX.SHX")) return found;
  const std::function<std::string()> fallback = TrueTypeFontFallback().Get();
  return fallback ? fallback() : std::string();
}

void SetTrueTypeFontFallback(std::function<std::string()> fallback) { TrueTypeFontFallback().Set(std::move(fallback)); }

int RedrawProgressThreshold(std::uint64_t physical_memory_bytes) {
  if (physical_memory_bytes <= 120 * kMegabyte) return 10000;
  if (physical_memory_bytes <= 245 * kMegabyte) return 15000;
  if (physical_memory_bytes <= 505 * kMegabyte) return 30000;
  return 45000;
}
