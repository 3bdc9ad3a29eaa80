#pragma once
// Buffers that are reused hold bytes of an earlier file beyond the current
// one's. Marking those bytes unreadable lets AddressSanitizer report a read of
// them as it reports a read outside the buffer; without AddressSanitizer
// (every release build) both calls do nothing.
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define VORNAMI_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNAMI_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef VORNAMI_ADDRESS_SANITIZER
#include <sanitizer/asan_interface.h>
#endif

namespace platform {

inline void MarkUnreadable([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t size) {
#ifdef VORNAMI_ADDRESS_SANITIZER
  __asan_poison_memory_region(data, size);
#endif
}

inline void MarkReadable([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t size) {
#ifdef VORNAMI_ADDRESS_SANITIZER
  __asan_unpoison_memory_region(data, size);
#endif
}

// Whether reads of the byte are reported (always false without AddressSanitizer).
inline bool IsMarkedUnreadable([[maybe_unused]] const void* byte) {
#ifdef VORNAMI_ADDRESS_SANITIZER
  return __asan_address_is_poisoned(byte) != 0;
#else
  return false;
#endif
}

}  // namespace platform
