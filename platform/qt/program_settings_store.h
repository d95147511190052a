#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QSettings;
class QString;
struct ProgramSettings;

// The program's settings store: an INI file in the user's configuration
// folder (organisation "Stonebay", application "KOVRA 2"), or the given file.
// The dialogs keep their own sections ("PrintCfg", "ExportCfg", ...) in it.
std::unique_ptr<QSettings> OpenSettingsStore(const std::string& ini_path = {});

// Fills the settings from the store; every value that is missing or cannot
// be read keeps its default. The program path is the executable's path.
// Publishes the number separators to the value formatters.
void LoadSettings(ProgramSettings* settings, QSettings& store, const std::string& program_path);

// Writes every stored value; false when the store could not be written.
bool SaveSettings(const ProgramSettings& settings, QSettings& store);

// A stored text; nothing when the key is missing or holds no text. A text
// that the INI reader split at unquoted commas comes back joined.
std::optional<std::string> ReadStoredText(const QSettings& store, const QString& key);

// A stored 32-bit number; a negative one comes back as its unsigned bit
// pattern. Nothing when the key is missing or holds no such number.
std::optional<std::uint32_t> ReadStoredDword(const QSettings& store, const QString& key);
