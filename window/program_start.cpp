#include "window/program_start.h"

#include <QFileInfo>
#include <QSettings>
#include <mutex>

#include "commands/command_families.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"
#include "platform/qt/program_settings_store.h"
#include "shell/command_aliases.h"
#include "window/main_frame.h"
#include "window/window_placement.h"
#include "window/window_services.h"

bool IsDrawingFile(const QString& path) {
  const QFileInfo file(path);
  const QString extension = file.suffix().toLower();
  if (extension != QLatin1String("dwg") && extension != QLatin1String("dxf")) return false;
  return file.exists() && !file.isDir();
}

QStringList DrawingArguments(const QStringList& arguments) {
  QStringList drawings;
  for (const QString& argument : arguments) {
    if (argument.isEmpty()) break;
    if (IsDrawingFile(argument)) drawings.push_back(argument);
  }
  return drawings;
}

bool EndProgram(QSettings& store) { return SaveSettings(GetProgramSettings(), store); }

std::unique_ptr<MainFrame> StartProgram(const QStringList& arguments, QSettings& store,
                                        const std::string& programPath) {
  InstallWindowServices();
  ProgramSettings& settings = GetProgramSettings();
  LoadSettings(&settings, store, programPath);
  static std::once_flag registered;
  std::call_once(registered, [&settings] {
    RegisterAppCommands();
    RegisterDrawCommands();
    const std::string aliases = settings.program_directory + "CmdAlias.txt";
    if (FileExists(aliases)) LoadAliasFile(ProgramAliases(), aliases);
  });

  auto frame = std::make_unique<MainFrame>();
  frame->SetSettingsStore(&store);
  RestoreWindowPlacement(store, kMainWindowPlacementEntry, *frame);
  bool opened = false;
  for (const QString& path : DrawingArguments(arguments))
    if (frame->OpenDrawingWindow(path.toStdString()) != nullptr) opened = true;
  if (!opened) frame->NewDrawingWindow();
  return frame;
}
