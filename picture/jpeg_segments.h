#pragma once
// The segments a converted photo carries in front of its picture: the Exif
// block (APP1) and the colour profile (APP2, in "ICC_PROFILE" chunks), right
// after SOI, where every step finds the Exif block at once.
#include <cstdint>
#include <span>
#include <vector>

// The JPEG with the JFIF segment the encoder wrote (when there is one) replaced
// by an Exif APP1 segment holding the TIFF structure and the ICC profile's
// APP2 segments (none when the profile is empty). Empty when the JPEG does
// not start with SOI, the TIFF structure does not fit into one segment, or
// the profile needs more than 255 chunks.
std::vector<std::uint8_t> WithExifAndProfile(std::span<const std::uint8_t> jpeg,
                                             std::span<const std::uint8_t> tiff,
                                             std::span<const std::uint8_t> icc);
