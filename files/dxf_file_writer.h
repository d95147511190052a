#pragma once

#include <string>

#include "filers/file_kind.h"

class FcFiler;
class FcGraph;

// Results of writing a whole DXF file. WriteDxfSections gives kDone or
// one of the section failures; writing a file adds kCannotCreate for a
// file that cannot be created or a failure outside the sections. The
// numbers are those the user is shown.
enum class FcDxfWriteResult {
  kDone = 0,
  kCannotCreate = 1,
  kHeaderFailed = 2,  // HEADER or CLASSES
  kTablesFailed = 3,
  kBlocksFailed = 4,
  kEntitiesFailed = 5,
  kObjectsFailed = 6,
  kEofFailed = 7,
};

// HEADER, CLASSES, TABLES, BLOCKS, ENTITIES, OBJECTS and EOF through the
// filer, each part guarded: the first part that raises stops the writing
// with its code and leaves what was written so far.
FcDxfWriteResult WriteDxfSections(FcFiler& filer, FcGraph& graph);
// The TABLES section: VPORT, LTYPE, LAYER, STYLE, an empty VIEW, UCS,
// APPID, DIMSTYLE and BLOCK_RECORD.
void WriteDxfTables(FcFiler& filer, FcGraph& graph);
// The OBJECTS section: the named-object dictionary, then what the tables
// and their records own.
void WriteDxfObjects(FcFiler& filer, FcGraph& graph);

// Writes the drawing to the path as DXF of the kind (ASCII or binary), with
// progress; purge first deletes the anonymous blocks nothing references.
// The drawing's name, kind and modified state are left alone: replacing a
// file safely and taking its name is the saver's part. kDone, or a code
// above; kCannotCreate also when the file cannot be flushed and closed.
FcDxfWriteResult WriteDxfFile(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge);
