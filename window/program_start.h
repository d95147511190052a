#pragma once

#include <QStringList>
#include <memory>
#include <string>

class MainFrame;
class QSettings;

// Brings the program up on the GUI thread: the drawing side and the
// window's services, the settings from the store, the command lists and
// aliases, the main frame with its recent files and its placement (applied
// for the caller's show), and one drawing window per drawing file among
// the arguments (".dwg" or ".dxf" in any case, naming an existing file);
// when none was opened, a new drawing. programPath is the executable.
std::unique_ptr<MainFrame> StartProgram(const QStringList& arguments, QSettings& store,
                                        const std::string& programPath);

// After the frame has gone: the program's settings, as the session left
// them, go back to the store and reach the disk. False when they could not.
bool EndProgram(QSettings& store);

// The arguments that name drawings to open, in order. An empty argument
// ends the list.
QStringList DrawingArguments(const QStringList& arguments);

// True for an existing file, not a directory, whose extension is ".dwg" or
// ".dxf" in any case; the path itself is taken as it is written.
bool IsDrawingFile(const QString& path);
