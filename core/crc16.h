#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16 with the reflected polynomial 0xA001, applied to length bytes.
// Neither an initial nor a final XOR is applied: the drawing-file code
// supplies the starting value. The length is a full size so that a CRC
// covers the whole of a large object.
std::uint16_t Crc16Update(std::uint16_t crc, std::size_t length, const std::uint8_t* bytes);
