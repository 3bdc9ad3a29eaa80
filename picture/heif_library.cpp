#include "picture/heif_library.h"

#include <dlfcn.h>

#include <mutex>

namespace {

// The run-time name of the library the headers come from.
constexpr char kHeifSoname[] = "libheif.so.1";

}  // namespace

const HeifLibrary* LoadHeifLibrary() {
  static HeifLibrary library;
  static bool loaded = false;
  static std::once_flag once;
  std::call_once(once, [] {
    // Kept for the whole run: never closed.
    void* handle = dlopen(kHeifSoname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return;
    bool complete = true;
#define VORNAMI_HEIF_RESOLVE(name)                                          \
  library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  complete = complete && library.name != nullptr;
    VORNAMI_HEIF_FUNCTIONS(VORNAMI_HEIF_RESOLVE)
#undef VORNAMI_HEIF_RESOLVE
    loaded = complete;
  });
  return loaded ? &library : nullptr;
}
