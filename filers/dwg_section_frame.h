#pragma once

#include <cstdint>
#include <functional>

class FcFilerDwg;
struct DwgSectionLocator;

// The frame of a DWG section that holds bit-coded data (the header
// variables, the class list): start sentinel, the data size (RL), the data
// completed to whole bytes with zero bits, the CRC of size and data, end
// sentinel.
using DwgSentinel = std::uint8_t[16];

// Writes the frame around what writeData writes at the file's current
// position, and points the locator at the whole section.
void WriteDwgSectionFrame(FcFilerDwg& filer, const DwgSentinel& startSentinel, const DwgSentinel& endSentinel,
                          DwgSectionLocator& locator, const std::function<void()>& writeData);

// Reads the section the locator names: readData is given the file position
// where the data ends and reports whether the data read well. 0; 2 for a
// wrong sentinel or CRC, a size past the end of the file or what readData
// refused.
int ReadDwgSectionFrame(FcFilerDwg& filer, const DwgSectionLocator& locator, const DwgSentinel& startSentinel,
                        const DwgSentinel& endSentinel, const std::function<bool(std::int64_t dataEnd)>& readData);
