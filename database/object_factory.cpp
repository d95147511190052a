#include "database/object_factory.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <utility>

#include "database/class_list.h"

namespace {

// Filled at start-up before any other thread exists and only read after,
// so lookups take no lock. Keyed with exact case.
std::map<std::string, FcCreateFunction, std::less<>>& Registry() {
  static std::map<std::string, FcCreateFunction, std::less<>> registry;
  return registry;
}

struct FixedDwgType {
  int type;
  std::string_view name;
};

// The DWG types whose objects are made by name. The table types 48, 50,
// 52, 56, 62, 66 and 68 are missing on purpose: they stand for the
// drawing's own tables.
constexpr std::array<FixedDwgType, 43> kFixedDwgTypes = {{
    {1, "TEXT"},           {2, "ATTRIB"},        {3, "ATTDEF"},        {4, "BLOCK"},
    {5, "ENDBLK"},         {6, "SEQEND"},        {7, "INSERT"},        {15, "POLYLINE"},
    {17, "ARC"},           {18, "CIRCLE"},       {19, "LINE"},         {20, "FcDimOrdinate"},
    {21, "FcDimRotate"},   {22, "FcDimAligned"}, {23, "FcDim3PAng"},   {24, "FcDim2LAng"},
    {25, "FcDimRadius"},   {26, "FcDimDiameter"}, {27, "POINT"},       {28, "3DFACE"},
    {31, "SOLID"},         {32, "TRACE"},        {35, "ELLIPSE"},      {36, "SPLINE"},
    {40, "RAY"},           {41, "XLINE"},        {42, "FcDictionary"}, {44, "MTEXT"},
    {45, "LEADER"},        {46, "TOLERANCE"},    {49, "FcBlock"},      {51, "FcLayer"},
    {53, "FcTextStyle"},   {57, "FcLineType"},   {63, "FcUCS"},        {67, "FcAppID"},
    {69, "FcDimStyle"},    {73, "FcMLineStyle"}, {77, "FcPolyline"},   {78, "FcHatch"},
    {16, "FcPolyline3d"},  {29, "FcPolyline3d"}, {30, "FcPolyline3d"},
}};

// The record names of the fixed DWG types; the numbers below 500 not
// listed are unused.
constexpr std::array<FixedDwgType, 79> kFixedDwgRecordNames = {{
    {1, "TEXT"},         {2, "ATTRIB"},       {3, "ATTDEF"},       {4, "BLOCK"},
    {5, "ENDBLK"},       {6, "SEQEND"},       {7, "INSERT"},       {8, "INSERT"},
    {10, "VERTEX"},      {11, "VERTEX"},      {12, "VERTEX"},      {13, "VERTEX"},
    {14, "VERTEX"},      {15, "POLYLINE"},    {16, "POLYLINE"},    {17, "ARC"},
    {18, "CIRCLE"},      {19, "LINE"},        {20, "DIMENSION"},   {21, "DIMENSION"},
    {22, "DIMENSION"},   {23, "DIMENSION"},   {24, "DIMENSION"},   {25, "DIMENSION"},
    {26, "DIMENSION"},   {27, "POINT"},       {28, "3DFACE"},      {29, "POLYLINE"},
    {30, "POLYLINE"},    {31, "SOLID"},       {32, "TRACE"},       {33, "SHAPE"},
    {34, "VIEWPORT"},    {35, "ELLIPSE"},     {36, "SPLINE"},      {37, "REGION"},
    {38, "3DSOLID"},     {39, "BODY"},        {40, "RAY"},         {41, "XLINE"},
    {42, "DICTIONARY"},  {43, "OLEFRAME"},    {44, "MTEXT"},       {45, "LEADER"},
    {46, "TOLERANCE"},   {47, "MLINE"},       {48, "BLOCK_RECORD"}, {49, "BLOCK_RECORD"},
    {50, "LAYER"},       {51, "LAYER"},       {52, "STYLE"},       {53, "STYLE"},
    {56, "LTYPE"},       {57, "LTYPE"},       {60, "VIEW"},        {61, "VIEW"},
    {62, "UCS"},         {63, "UCS"},         {64, "VPORT"},       {65, "VPORT"},
    {66, "APPID"},       {67, "APPID"},       {68, "DIMSTYLE"},    {69, "DIMSTYLE"},
    {70, "VP_ENT_HDR"},  {71, "VP_ENT_HDR"},  {72, "GROUP"},       {73, "MLINESTYLE"},
    {74, "OLE2FRAME"},   {75, "DUMMY"},       {76, "LONG_TRANSACTION"}, {77, "LWPOLYLINE"},
    {78, "HATCH"},       {79, "XRECORD"},     {80, "ACDBPLACEHOLDER"}, {81, "VBA_PROJECT"},
    {82, "LAYOUT"},      {498, "ACAD_PROXY_ENTITY"}, {499, "ACAD_PROXY_OBJECT"},
}};

}  // namespace

std::string DwgTypeRecordName(const FcClassList& classes, int dwgType) {
  std::string name;
  if (dwgType >= kFirstCustomDwgType && GetCustomClassName(classes, dwgType - kFirstCustomDwgType, name)) {
    for (char& c : name) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
  }
  const auto fixed = std::find_if(kFixedDwgRecordNames.begin(), kFixedDwgRecordNames.end(),
                                  [dwgType](const FixedDwgType& entry) { return entry.type == dwgType; });
  if (fixed != kFixedDwgRecordNames.end()) return std::string(fixed->name);
  return "DWG TYPE " + std::to_string(dwgType);
}

FcCreateFunction RegisterObjectFactory(std::string_view name, FcCreateFunction create) {
  if (create == nullptr || name.empty() || name.size() > kFcMaxRecordName) return nullptr;
  Registry().insert_or_assign(std::string(name), create);
  return create;
}

FcObject* CreateObjectByName(std::string_view name) {
  const auto& registry = Registry();
  const auto found = registry.find(name);
  if (found == registry.end()) return nullptr;
  return found->second();
}

DwgObjectType GetCustomClassType(const FcClassList& classes, std::string_view recordName) {
  const int index = classes.IndexOf(recordName);
  if (index < 0) return 0;
  return static_cast<DwgObjectType>(kFirstCustomDwgType + index);
}

FcObject* CreateObjectForGraph(std::string_view name, const FcClassList& classes,
                               FcHandle& handleSeed) {
  FcObject* object = CreateObjectByName(name);
  if (object == nullptr) return nullptr;
  if (object->GetDwgType() <= 0) {
    const DwgObjectType type = GetCustomClassType(classes, name);
    if (type != 0) object->SetDwgType(type);
  }
  object->SetHandle(TakeHandle(handleSeed));
  return object;
}

bool GetCustomClassName(const FcClassList& classes, int index, std::string& name) {
  const FcClassRec* record = classes.GetAt(index);
  if (record == nullptr) return false;
  name = record->recordName;
  return true;
}

bool IsEmbeddedTableDwgType(int dwgType) {
  constexpr std::array<int, 7> kTableTypes = {48, 50, 52, 56, 62, 66, 68};
  return std::find(kTableTypes.begin(), kTableTypes.end(), dwgType) != kTableTypes.end();
}

FcObject* CreateObjectByDwgType(const FcClassList& classes, int dwgType) {
  if (dwgType >= kFirstCustomDwgType) {
    std::string name;
    if (!GetCustomClassName(classes, dwgType - kFirstCustomDwgType, name)) return nullptr;
    for (char& c : name) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    FcObject* object = CreateObjectByName(name);
    if (object != nullptr) object->SetDwgType(static_cast<DwgObjectType>(dwgType));
    return object;
  }
  const auto fixed = std::find_if(kFixedDwgTypes.begin(), kFixedDwgTypes.end(),
                                  [dwgType](const FixedDwgType& entry) { return entry.type == dwgType; });
  if (fixed == kFixedDwgTypes.end()) return nullptr;
  return CreateObjectByName(fixed->name);
}
