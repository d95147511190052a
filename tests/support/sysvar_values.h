#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/resbuf.h"
#include "database/system_var.h"

// A value as it travels through SetVar and GetVar, comparable and printable
// so that tables of cases can state expectations plainly.
struct SysVarValue {
  int type = 0;
  int i = 0;
  double r = 0.0;
  double x = 0.0;
  double y = 0.0;
  std::string text;

  friend bool operator==(const SysVarValue&, const SysVarValue&) = default;
  friend std::ostream& operator<<(std::ostream& out, const SysVarValue& v) {
    switch (v.type) {
      case kResTypeShort: return out << "int " << v.i;
      case kResTypeReal: return out << "real " << v.r;
      case kResTypePoint2d: return out << "point (" << v.x << ", " << v.y << ")";
      case kResTypeString: return out << "text \"" << v.text << "\"";
      default: return out << "type " << v.type;
    }
  }
};

inline SysVarValue Int(int v) { return {kResTypeShort, v, 0.0, 0.0, 0.0, {}}; }
inline SysVarValue Real(double v) { return {kResTypeReal, 0, v, 0.0, 0.0, {}}; }
inline SysVarValue Point(double x, double y) { return {kResTypePoint2d, 0, 0.0, x, y, {}}; }
inline SysVarValue Text(std::string v) { return {kResTypeString, 0, 0.0, 0.0, 0.0, std::move(v)}; }

inline void PutValue(const SysVarValue& v, FcResBuf& buf) {
  buf.type = static_cast<std::int16_t>(v.type);
  buf.intValue = v.i;
  buf.realValue = v.r;
  buf.x = v.x;
  buf.y = v.y;
  if (v.type == kResTypeString) buf.SetString(v.text.c_str());
}

inline FcSysVarResult SetByName(FcSystemVar& vars, std::string_view name, const SysVarValue& v) {
  FcResBuf buf;
  PutValue(v, buf);
  return vars.SetVar(name, buf);
}

// The value GetVar gives, with only the field that its type uses filled.
inline SysVarValue GetByName(const FcSystemVar& vars, std::string_view name) {
  FcResBuf buf;
  EXPECT_EQ(vars.GetVar(name, buf), FcSysVarResult::kDone) << name;
  switch (buf.type) {
    case kResTypeShort: return Int(buf.intValue);
    case kResTypeReal: return Real(buf.realValue);
    case kResTypePoint2d: return Point(buf.x, buf.y);
    case kResTypeString: return Text(buf.text ? buf.text : "");
    default: return {buf.type, 0, 0.0, 0.0, 0.0, {}};
  }
}

struct NameValue {
  const char* name;
  SysVarValue expected;
};

inline void ExpectReadsByName(const FcSystemVar& vars, const std::vector<NameValue>& cases) {
  for (const NameValue& c : cases) EXPECT_EQ(GetByName(vars, c.name), c.expected) << c.name;
}

// One variable set by name any number of times (each set must be
// accepted as a name), then read back by name.
struct SetGetCase {
  const char* name;
  std::vector<SysVarValue> sets;
  SysVarValue expected;
};

inline void RunSetGetCases(const std::vector<SetGetCase>& cases) {
  for (const SetGetCase& c : cases) {
    FcSystemVar vars;
    for (const SysVarValue& v : c.sets) {
      EXPECT_EQ(SetByName(vars, c.name, v), FcSysVarResult::kDone) << c.name << " set to " << v;
    }
    EXPECT_EQ(GetByName(vars, c.name), c.expected) << c.name;
  }
}
