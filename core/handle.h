#pragma once

#include <cstdint>

// The identifier of an object, unique within one drawing; 0 means none.
// Compared as unsigned and written in DXF as upper-case hexadecimal.
using FcHandle = std::uint64_t;
