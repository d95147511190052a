#include "platform/qt/program_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "core/number_separators.h"
#include "platform/program_settings.h"

namespace {

const QString kParameters = QStringLiteral("Parameters/");
const QString kCommandLineWindow = QStringLiteral("Parameters/Command Line Window/");
const QString kRevCloud = QStringLiteral("Parameters/RevCloud/");
const QString kPrintPenWidth = QStringLiteral("PrintPenWidth/");
const QString kPath = QStringLiteral("Path");

std::optional<std::string> ReadText(const QSettings& store, const QString& key) {
  return ReadStoredText(store, key);
}

std::optional<std::string> ReadText(const QSettings& store, const QString& key, std::size_t max_length) {
  std::optional<std::string> text = ReadText(store, key);
  if (!text || text->size() > max_length) return std::nullopt;
  return text;
}

// Stored paths may come from a system with backslash separators.
std::optional<std::string> ReadPath(const QSettings& store, const QString& key) {
  std::optional<std::string> text = ReadText(store, key, kMaxStoredPathLength);
  if (text) std::replace(text->begin(), text->end(), '\\', '/');
  return text;
}

template <typename Number>
std::optional<Number> ParseWhole(const std::string& text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Non-finite values are refused: widths and lengths end up in divisions.
std::optional<double> ReadDouble(const QSettings& store, const QString& key) {
  std::optional<std::string> text = ReadText(store, key);
  if (!text) return std::nullopt;
  std::optional<double> value = ParseWhole<double>(*text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

bool HasGroup(const QSettings& store, const QString& group) {
  const QStringList keys = store.allKeys();
  return std::any_of(keys.begin(), keys.end(), [&group](const QString& key) { return key.startsWith(group); });
}

template <typename Number>
void WriteNumber(QSettings& store, const QString& key, Number value) {
  char buffer[32];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  store.setValue(key, QString::fromLatin1(buffer, end - buffer));
}

void WriteDword(QSettings& store, const QString& key, std::int64_t value) {
  WriteNumber(store, key, static_cast<std::uint32_t>(value));
}

void WriteText(QSettings& store, const QString& key, const std::string& text) {
  store.setValue(key, QString::fromStdString(text));
}

void LoadCommandLineWindow(const QSettings& store, CommandLineWindowSettings* window) {
  auto read = [&store](const char* name) { return ReadStoredDword(store, kCommandLineWindow + QLatin1String(name)); };
  if (auto value = read("CmdBackColor")) window->back_color = *value;
  if (auto value = read("CmdTextColor")) window->text_color = *value;
  if (auto name = ReadText(store, kCommandLineWindow + "CmdTextFontName", kMaxFontNameLength))
    window->font_name = *name;
  if (auto value = read("CmdTextFontHeight")) window->font_height = static_cast<std::int32_t>(*value);
  if (auto value = read("CmdTextFontWeight")) window->font_weight = static_cast<std::int32_t>(*value);
  if (auto value = read("CmdTextFontItalic")) window->font_italic = static_cast<std::uint8_t>(*value);
  if (auto value = read("CmdTextFontCharSet")) window->font_char_set = static_cast<std::uint8_t>(*value);
}

void LoadRevCloud(const QSettings& store, RevCloudSettings* rev_cloud) {
  if (auto style = ReadStoredDword(store, kRevCloud + "Style"))
    rev_cloud->style = static_cast<int>(std::min<std::uint32_t>(*style, 1));
  if (auto length = ReadDouble(store, kRevCloud + "MinArcLength")) rev_cloud->min_arc_length = ClampArcLength(*length);
  if (auto length = ReadDouble(store, kRevCloud + "MaxArcLength")) rev_cloud->max_arc_length = ClampArcLength(*length);
  if (HasGroup(store, kRevCloud)) BalanceArcLengths(rev_cloud);
}

void LoadParameters(const QSettings& store, ProgramSettings* settings) {
  if (!HasGroup(store, kParameters)) {
    ApplyMissingParametersDefaults(settings);
    return;
  }
  for (const ParameterRule& rule : ParameterRules()) {
    if (auto stored = ReadStoredDword(store, kParameters + QLatin1String(rule.name)))
      settings->*rule.field = ClampParameter(rule, *stored);
  }
  std::optional<std::string> template_file = ReadPath(store, kParameters + "TemplateFile");
  if (template_file && !template_file->empty()) settings->template_file = *template_file;
  if (auto menu_file = ReadPath(store, kParameters + "MenuFileName")) settings->menu_file_name = *menu_file;
}

}  // namespace

std::optional<std::string> ReadStoredText(const QSettings& store, const QString& key) {
  QVariant value = store.value(key);
  if (!value.isValid()) return std::nullopt;
  // An unquoted comma in a hand-edited file makes a list of the text.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  if (!value.canConvert<QString>()) return std::nullopt;
  return value.toString().toStdString();
}

std::optional<std::uint32_t> ReadStoredDword(const QSettings& store, const QString& key) {
  std::optional<std::string> text = ReadText(store, key);
  if (!text) return std::nullopt;
  std::optional<std::int64_t> value = ParseWhole<std::int64_t>(*text);
  if (!value || *value < INT32_MIN || *value > UINT32_MAX) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::unique_ptr<QSettings> OpenSettingsStore(const std::string& ini_path) {
  if (ini_path.empty())
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Stonebay"),
                                       QStringLiteral("KOVRA 2"));
  return std::make_unique<QSettings>(QString::fromStdString(ini_path), QSettings::IniFormat);
}

void LoadSettings(ProgramSettings* settings, QSettings& store, const std::string& program_path) {
  PrepareProgramSettings(settings, program_path);
  settings->search_path = BuildSearchPath(ReadPath(store, kPath).value_or(""), settings->program_directory);
  for (int color = 0; color < kPenColorCount; ++color)
    settings->print_pen_width[color] = ReadDouble(store, kPrintPenWidth + QString::number(color)).value_or(0.0);
  LoadCommandLineWindow(store, &settings->command_line);
  LoadRevCloud(store, &settings->rev_cloud);
  LoadParameters(store, settings);
  settings->default_text_font_file = FindDefaultTextFontFile(settings->search_path);
  SetNumberSeparators({settings->decimal_separator, settings->list_separator});
}

bool SaveSettings(const ProgramSettings& settings, QSettings& store) {
  WriteText(store, kPath, settings.search_path);
  for (int color = 0; color < kPenColorCount; ++color)
    WriteNumber(store, kPrintPenWidth + QString::number(color), settings.print_pen_width[color]);

  const CommandLineWindowSettings& window = settings.command_line;
  WriteDword(store, kCommandLineWindow + "CmdBackColor", window.back_color);
  WriteDword(store, kCommandLineWindow + "CmdTextColor", window.text_color);
  WriteText(store, kCommandLineWindow + "CmdTextFontName", window.font_name);
  WriteDword(store, kCommandLineWindow + "CmdTextFontHeight", window.font_height);
  WriteDword(store, kCommandLineWindow + "CmdTextFontWeight", window.font_weight);
  WriteDword(store, kCommandLineWindow + "CmdTextFontItalic", window.font_italic);
  WriteDword(store, kCommandLineWindow + "CmdTextFontCharSet", window.font_char_set);

  WriteDword(store, kRevCloud + "Style", settings.rev_cloud.style);
  WriteNumber(store, kRevCloud + "MinArcLength", settings.rev_cloud.min_arc_length);
  WriteNumber(store, kRevCloud + "MaxArcLength", settings.rev_cloud.max_arc_length);

  WriteText(store, kParameters + "TemplateFile", settings.template_file);
  for (const ParameterRule& rule : ParameterRules())
    WriteDword(store, kParameters + QLatin1String(rule.name), settings.*rule.field);
  WriteText(store, kParameters + "MenuFileName", settings.menu_file_name);

  store.sync();
  return store.status() == QSettings::NoError;
}
