#pragma once
// What libheif does not tell: whether a HEIF file's primary image carries a
// rotation (irot) or a mirroring (imir), which libheif applies on decoding.
// Read from the file's boxes (meta: pitm, iprp/ipco, iprp/ipma) within its
// bytes; a box that leaves them ends the walk.
#include <cstdint>
#include <span>

// False too when the boxes cannot be read.
bool PrimaryImageTransformed(std::span<const std::uint8_t> file);
