#pragma once

#include <span>
#include <string>
#include <string_view>

#include "commands/command_row.h"

class FcEntity;

// Commands that write and edit text. Each runs on the drawing's command
// thread, takes no arguments and answers kStatusDone.

// Lines of single-line text, typed one after another.
int CmdDText();
// A multiline text in a box given by two corners; its lines are asked
// one after another, an empty line ending them.
int CmdMText();

// Edits one picked text, multiline text, attribute definition, tolerance or
// dimension text with the editor that suits it.
int CmdDDEdit();
// Changes the height of the selected texts about a base point of each.
int CmdScaleText();
// Draws a closed polyline around each selected text.
int CmdFrameText();

// Edits the entity with its editor and records the change as one undo
// step "EditText"; a text or multiline text edited to nothing is erased.
int EditTextEntity(FcEntity& entity);

// The "\P" line breaks of multiline and dimension text as the editor
// shows them (CR LF), and back: CR LF, a lone LF and a lone CR each
// become "\P". An escaped backslash is no code.
std::string ShownLineBreaks(std::string_view contents);
std::string StoredLineBreaks(std::string_view text);

// The family's rows.
std::span<const CommandRow> TextCommandRows();
