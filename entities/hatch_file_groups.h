#pragma once

#include <cstdint>

#include "core/point2d.h"

class FcFiler;
struct FcResBuf;

// Strict readers of the hatch records, whose groups come in a fixed order:
// 0 when the next group has the code (and a finite value), 1 at the end of
// the data, 2 for another code.
int ReadHatchGroup(FcFiler& filer, FcResBuf& group, int code);
int ReadHatchPoint(FcFiler& filer, int code, FcPoint2d& point);
int ReadHatchReal(FcFiler& filer, int code, double& value);
int ReadHatchInt(FcFiler& filer, int code, std::int32_t& value);
