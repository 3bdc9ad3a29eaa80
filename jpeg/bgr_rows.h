#pragma once
// The pixel rows a 24-bit bitmap holds, made from the decoder's three colour planes.
#include <cstdint>
#include <memory>

// Bottom row first, each pixel blue, green, red, each row padded with zeros to
// a multiple of 4 bytes (DibRowBytes). The planes are rows of width bytes, top
// row first. Null when the rows cannot be allocated.
std::unique_ptr<std::uint8_t[]> BgrRows(const std::uint8_t* red, const std::uint8_t* green,
                                        const std::uint8_t* blue, std::int32_t width,
                                        std::int32_t height);
