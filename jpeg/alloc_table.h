#pragma once
// Heap tables of the decoder: a failed allocation is an EMemoryError.
#include <cstddef>
#include <cstdint>
#include <memory>

using IntTable = std::unique_ptr<std::int32_t[]>;

// Frees the table in the slot, allocates count integers into it and sets each
// to fill. On failure the slot is left empty and EMemoryError carries the
// count and the message.
void AllocTable(IntTable& slot, std::size_t count, std::int32_t fill, const char* message);
