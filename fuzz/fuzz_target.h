#pragma once
// The entry point every fuzz target defines. libFuzzer calls it with each
// input; the replay program calls it with each file it is given.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// A property the parser promises for any input; a broken one is a finding.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

namespace fuzz {

// Whether the span lies inside [begin, begin + size).
template <typename Span>
bool Inside(const Span& part, const std::uint8_t* begin, std::size_t size) {
  if (part.empty()) return true;
  const std::uint8_t* first = part.data();
  return first >= begin && static_cast<std::size_t>(first - begin) <= size &&
         part.size() <= size - static_cast<std::size_t>(first - begin);
}

}  // namespace fuzz
