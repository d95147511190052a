#pragma once

#include <string>

#include "filers/file_kind.h"

class FcFiler;
class FcGraph;

// Results of writing a whole DXF file. WriteDxfSections gives 0 or 2-7;
// writing a file adds 1 for a file that cannot be created or a failure
// outside the sections.
inline constexpr int kDxfWriteDone = 0;
inline constexpr int kDxfWriteCannotCreate = 1;
inline constexpr int kDxfWriteHeaderFailed = 2;  // HEADER or CLASSES
inline constexpr int kDxfWriteTablesFailed = 3;
inline constexpr int kDxfWriteBlocksFailed = 4;
inline constexpr int kDxfWriteEntitiesFailed = 5;
inline constexpr int kDxfWriteObjectsFailed = 6;
inline constexpr int kDxfWriteEofFailed = 7;

// HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS and EOF through the
// filer, each part guarded: the first part that raises stops the writing
// with its code and leaves what was written so far.
int WriteDxfSections(FcFiler& filer, FcGraph& graph);
// The TABLES section: VPORT, LTYPE, LAYER, STYLE, an empty VIEW, UCS,
// APPID, DIMSTYLE and BLOCK_RECORD.
void WriteDxfTables(FcFiler& filer, FcGraph& graph);
// The OBJECTS section: the named-object dictionary, then what the tables
// and their records own.
void WriteDxfObjects(FcFiler& filer, FcGraph& graph);

// Writes the drawing to the path as DXF of the kind (ASCII or binary), with
// progress; purge first deletes the anonymous blocks nothing references.
// The drawing's name, kind and modified state are left alone: replacing a
// file safely and taking its name is the saver's part. 0, or a code above;
// 1 also when the file cannot be flushed and closed.
int WriteDxfFile(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge);
