#pragma once

#include <span>
#include <string>
#include <vector>

#include "commands/command_row.h"
#include "core/matrix2d.h"

// Commands that define, insert and write blocks, their attributes, and attached raster images.
std::span<const CommandRow> BlockCommandRows();

// "-Block" and "Block": a selection becomes a new block.
int CmdBlockPrompt();
int CmdBlock();
// "-Insert" and "Insert": a reference to a block at a point, scale and angle.
int CmdInsertPrompt();
int CmdInsert();
// "WBlock": one block written to a drawing file of its own.
int CmdWBlock();
// "AttDef": one attribute definition from its modes, tag, prompt, default
// value, justification, style, point, height and angle.
int CmdAttDef();
// "AttEdit": new values for the attributes of one picked block reference.
int CmdAttEdit();
// "AttExt": the attributes of the drawing's block references written to a
// file in the columns of a template.
int CmdAttExt();
// "ImageAttach": a raster image from a picked file or a definition the
// drawing has, placed by the attach box and the screen.
int CmdImageAttach();
// "Image": the image manager; its changes are one undo step, and its
// Attach... goes on attaching.
int CmdImage();
// "ImageAdjust": brightness, contrast, fade and visibility of the selected
// raster images.
int CmdImageAdjust();
// "ImageFrame": raster image frames shown or hidden, as an undo step.
int CmdImageFrame();

// The names of the drawing's blocks that are not anonymous, one history
// line each after a heading.
void PrintBlockList();

// The text without leading and trailing blanks and tabs.
std::string TrimBlanks(const std::string& text);

class FcEntity;
class FcEntitySets;
class FcGraph;
class FcInsert;

// The attribute dialog for a block reference, or for the reference an
// attribute follows: kStatusDone once it ran, kCommandNotHandled when
// there is no such reference or it has no attributes.
int EditBlockAttributes(FcGraph& graph, FcEntity& entity);

// The attributes of a new reference, one per definition in order, each
// moved by the matrix and holding its default value, then a SEQEND. Values
// are asked on the command line when ATTREQ is 1 and neither prompting is
// off nor the definition constant or preset; verify attributes are asked
// again; with ATTDIA 1 the value dialog of the block shows them all
// instead. False when a prompt or the dialog was cancelled (out then holds
// what was made).
bool CreateInsertAttributes(const FcMatrix2d& matrix, const std::string& blockName, const FcEntitySets& definitions,
                            std::vector<FcEntity*>& out, bool noPrompt);
// Moves definitions from block coordinates to those of the reference.
FcMatrix2d AttributeMatrix(const FcInsert& insert);
