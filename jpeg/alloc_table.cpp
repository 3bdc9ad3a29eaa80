#include "jpeg/alloc_table.h"

#include <algorithm>
#include <new>

#include "jpeg/decoder_errors.h"

void AllocTable(IntTable& slot, std::size_t count, std::int32_t fill, const char* message) {
  slot.reset();
  slot.reset(new (std::nothrow) std::int32_t[count]);
  if (!slot) throw EMemoryError{static_cast<std::uint32_t>(count), message};
  std::fill_n(slot.get(), count, fill);
}
