#pragma once

#include <array>
#include <cstdint>

// Sizes for open-addressed tables: the largest prime below each power of
// two. Keys taken modulo a prime spread over every slot whatever regular
// spacing they have, while keys that follow one another (handles, or
// objects allocated in a row) still land in neighbouring slots, so a table
// filled in that order is probed with few cache misses.
inline constexpr std::array<std::uint64_t, 29> kPrimeTableSizes = {
    13u,        31u,        61u,        127u,        251u,        509u,       1021u,      2039u,
    4093u,      8191u,      16381u,     32749u,     65521u,      131071u,     262139u,    524287u,
    1048573u,   2097143u,   4194301u,   8388593u,   16777213u,   33554393u,  67108859u,  134217689u,
    268435399u, 536870909u, 1073741789u, 2147483647u, 4294967291u};
