#pragma once
// libheif, loaded when the first HEIF photo needs it. Loading it runs its
// decoders' set-up (tens of milliseconds of tables), which every start of the
// dialog and of vornami-batch would otherwise pay for photos it never sees.
#include <libheif/heif.h>

// The libheif functions the HEIF photo uses.
#define VORNAMI_HEIF_FUNCTIONS(X)                     \
  X(heif_context_alloc)                               \
  X(heif_context_free)                                \
  X(heif_context_set_maximum_image_size_limit)        \
  X(heif_context_read_from_memory_without_copy)       \
  X(heif_context_get_primary_image_handle)            \
  X(heif_image_handle_release)                        \
  X(heif_image_handle_get_width)                      \
  X(heif_image_handle_get_height)                     \
  X(heif_image_handle_get_ispe_width)                 \
  X(heif_image_handle_get_ispe_height)                \
  X(heif_image_handle_get_list_of_metadata_block_IDs) \
  X(heif_image_handle_get_metadata_size)              \
  X(heif_image_handle_get_metadata)                   \
  X(heif_image_handle_get_color_profile_type)         \
  X(heif_image_handle_get_raw_color_profile_size)     \
  X(heif_image_handle_get_raw_color_profile)          \
  X(heif_image_handle_get_nclx_color_profile)         \
  X(heif_nclx_color_profile_free)                     \
  X(heif_decoding_options_alloc)                      \
  X(heif_decoding_options_free)                       \
  X(heif_decode_image)                                \
  X(heif_image_get_plane_readonly)                    \
  X(heif_image_get_primary_width)                     \
  X(heif_image_get_primary_height)                    \
  X(heif_image_release)

struct HeifLibrary {
#define VORNAMI_HEIF_POINTER(name) decltype(&::name) name = nullptr;
  VORNAMI_HEIF_FUNCTIONS(VORNAMI_HEIF_POINTER)
#undef VORNAMI_HEIF_POINTER
};

// The library, loaded on the first call (from any thread; only when a HEIF
// photo is there: loading it is the cost this file avoids); nullptr when it
// is not installed or lacks a function.
const HeifLibrary* LoadHeifLibrary();
