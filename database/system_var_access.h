#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/system_var.h"

// One name that FcSystemVar::SetVar and FcSystemVar::GetVar know, with what
// each direction does. A null function means the name is not known in that
// direction.
struct SysVarEntry {
  std::string_view name;
  void (*set)(FcSystemVar& vars, const FcResBuf& value);
  void (*get)(const FcSystemVar& vars, FcResBuf& value);
};

std::span<const SysVarEntry> GeneralVarEntries();
std::span<const SysVarEntry> DimensionVarEntries();

// The building blocks of the entries: how a value is taken from a buffer and
// handed to a setter or stored, and how a field is put into a buffer. Reals
// and points that are not finite are refused like any value a rule refuses.
namespace sysvar_access {

// The common rules of the setters: the field takes the value only when the
// rule holds.
inline void SetInRange(short& field, short value, short low, short high) {
  if (value >= low && value <= high) field = value;
}
inline void SetAtLeastZero(double& field, double value) {
  if (value >= 0.0) field = value;
}
inline void SetAtLeastZero(short& field, short value) {
  if (value >= 0) field = value;
}
inline void SetPositive(double& field, double value) {
  if (value > 0.0) field = value;
}
inline void SetPositive(FcPoint2d& field, const FcPoint2d& value) {
  if (value.x > 0.0 && value.y > 0.0) field = value;
}
inline void SetNonEmpty(FcFixedText& field, std::string_view text) {
  if (!text.empty()) field = text;
}

inline short ShortOf(const FcResBuf& value) { return static_cast<short>(value.intValue); }
// The low 8 bits as a signed number.
inline short LowByteOf(const FcResBuf& value) { return static_cast<std::int8_t>(value.intValue); }
inline std::string_view TextOf(const FcResBuf& value) {
  return value.text ? std::string_view(value.text) : std::string_view();
}
inline bool IsFinitePoint(const FcResBuf& value) {
  return std::isfinite(value.x) && std::isfinite(value.y);
}

// For names that are accepted but carry nothing this record keeps.
inline void SetNothing(FcSystemVar&, const FcResBuf&) {}

template <auto Setter>
void SetShort(FcSystemVar& vars, const FcResBuf& value) {
  (vars.*Setter)(ShortOf(value));
}
template <auto Setter>
void SetLowByte(FcSystemVar& vars, const FcResBuf& value) {
  (vars.*Setter)(LowByteOf(value));
}
template <auto Setter>
void SetReal(FcSystemVar& vars, const FcResBuf& value) {
  if (std::isfinite(value.realValue)) (vars.*Setter)(value.realValue);
}
template <auto Setter>
void SetPoint(FcSystemVar& vars, const FcResBuf& value) {
  if (IsFinitePoint(value)) (vars.*Setter)(FcPoint2d{value.x, value.y});
}
template <auto Setter>
void SetText(FcSystemVar& vars, const FcResBuf& value) {
  (vars.*Setter)(TextOf(value));
}

template <auto Field>
void StoreShort(FcSystemVar& vars, const FcResBuf& value) {
  vars.*Field = ShortOf(value);
}
template <auto Field>
void StoreReal(FcSystemVar& vars, const FcResBuf& value) {
  if (std::isfinite(value.realValue)) vars.*Field = value.realValue;
}
template <auto Field>
void StorePoint(FcSystemVar& vars, const FcResBuf& value) {
  if (IsFinitePoint(value)) vars.*Field = FcPoint2d{value.x, value.y};
}
// 1 when the 16-bit value is not zero.
template <auto Field>
void StoreNonZero(FcSystemVar& vars, const FcResBuf& value) {
  vars.*Field = ShortOf(value) != 0 ? 1 : 0;
}
// 1 when the low 8 bits are not all zero.
template <auto Field>
void StoreLowByteNonZero(FcSystemVar& vars, const FcResBuf& value) {
  vars.*Field = LowByteOf(value) != 0 ? 1 : 0;
}

template <auto Field>
void GetShort(const FcSystemVar& vars, FcResBuf& value) {
  value.type = kResTypeShort;
  value.intValue = vars.*Field;
}
template <auto Field>
void GetFlag(const FcSystemVar& vars, FcResBuf& value) {
  value.type = kResTypeShort;
  value.intValue = vars.*Field != 0 ? 1 : 0;
}
template <auto Field>
void GetReal(const FcSystemVar& vars, FcResBuf& value) {
  value.type = kResTypeReal;
  value.realValue = vars.*Field;
}
template <auto Field>
void GetPoint(const FcSystemVar& vars, FcResBuf& value) {
  value.type = kResTypePoint2d;
  value.x = (vars.*Field).x;
  value.y = (vars.*Field).y;
}
template <auto Field>
void GetText(const FcSystemVar& vars, FcResBuf& value) {
  value.type = kResTypeString;
  value.SetString((vars.*Field).c_str());
}

}  // namespace sysvar_access
