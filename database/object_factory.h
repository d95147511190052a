#pragma once

#include <string>
#include <string_view>

#include "core/handle.h"
#include "database/object.h"

class FcClassList;

// Makes a new object of one class with its default data; null when it
// cannot be allocated.
using FcCreateFunction = FcObject* (*)();

// Registers the create function under the name (exact case, at most 63
// characters). Registering a name again replaces its function, so the
// registry never holds a name twice. Returns the function, null when the
// name or the function was refused.
FcCreateFunction RegisterObjectFactory(std::string_view name, FcCreateFunction create);

// Registers the drawing's own classes (tables, block markers, dictionary
// objects); every drawing does so before its first use. The entity kinds
// come with RegisterObjectFactories of the file layer.
void RegisterDatabaseObjects();

// A new object of the class registered under the name (exact case), with
// handle 0 and no owner; null for an unknown name.
FcObject* CreateObjectByName(std::string_view name);

// The drawing's side of object creation. FcGraph holds the class list and
// the handle seed and calls these with its own.

// FcGraph::CreateObject: the object gets its custom-class type when its
// type is unset and the class list holds the name, then the next handle.
FcObject* CreateObjectForGraph(std::string_view name, const FcClassList& classes,
                               FcHandle& handleSeed);

// FcGraph::GetCustomClassType: 500 + the class-list index of the name, 0
// when the list does not hold it.
DwgObjectType GetCustomClassType(const FcClassList& classes, std::string_view recordName);

// FcGraph::GetCustomClassName: false when the index has no class.
bool GetCustomClassName(const FcClassList& classes, int index, std::string& name);

// True for the DWG types that stand for one of the drawing's own embedded
// tables (48, 50, 52, 56, 62, 66, 68). The DWG reader asks the drawing for
// those tables itself; the generic path below never hands them out.
bool IsEmbeddedTableDwgType(int dwgType);

// FcGraph::CreateObjectByDwgType for every type that makes a new object:
// custom classes by their class-list name, fixed types by their class.
// Null for the embedded-table types and every unknown number. No handle
// is given; the reader sets it from the record.
FcObject* CreateObjectByDwgType(const FcClassList& classes, int dwgType);

// The record name a DXF file gives objects of the DWG type, upper case, so
// that records passed over are reported alike for both kinds of file: the
// class-list name for custom types, "DWG TYPE n" for a number that names
// nothing.
std::string DwgTypeRecordName(const FcClassList& classes, int dwgType);
