#include "picture/heif_photo.h"

#include <turbojpeg.h>

#include <algorithm>

#include "picture/heif_boxes.h"
#include "picture/heif_library.h"
#include "picture/matrix_profile.h"
#include "picture/thumbnail_pixels.h"

namespace {

// No side of a picture within kMaxHeifPixels needs more; libheif refuses
// larger ones before it allocates anything for them.
constexpr int kMaxHeifSide = 65535;
// Metadata a JPEG can carry at all (an Exif block lives in one 64 KiB
// segment, a profile in at most 255 of them).
constexpr std::size_t kMaxExifItemBytes = 1 << 20;
constexpr std::size_t kMaxProfileBytes = 4 << 20;

bool Ok(heif_error error) { return error.code == heif_error_Ok; }

bool WithinLimit(long long width, long long height) {
  return width > 0 && height > 0 && width * height <= kMaxHeifPixels;
}

std::vector<std::uint8_t> ExifOf(const HeifLibrary* lib, const heif_image_handle* handle) {
  heif_item_id id = 0;
  if (lib->heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) return {};
  const std::size_t size = lib->heif_image_handle_get_metadata_size(handle, id);
  if (size == 0 || size > kMaxExifItemBytes) return {};
  std::vector<std::uint8_t> bytes(size);
  if (!Ok(lib->heif_image_handle_get_metadata(handle, id, bytes.data()))) return {};
  return bytes;
}

// sRGB's own primaries (and unknown ones) need no profile.
std::vector<std::uint8_t> ProfileOf(const HeifLibrary* lib, const heif_image_handle* handle) {
  const heif_color_profile_type type = lib->heif_image_handle_get_color_profile_type(handle);
  if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
    const std::size_t size = lib->heif_image_handle_get_raw_color_profile_size(handle);
    if (size == 0 || size > kMaxProfileBytes) return {};
    std::vector<std::uint8_t> bytes(size);
    if (!Ok(lib->heif_image_handle_get_raw_color_profile(handle, bytes.data()))) return {};
    return bytes;
  }
  heif_color_profile_nclx* nclx = nullptr;
  if (!Ok(lib->heif_image_handle_get_nclx_color_profile(handle, &nclx)) || !nclx) return {};
  std::vector<std::uint8_t> profile;
  const auto primaries = nclx->color_primaries;
  const auto transfer = nclx->transfer_characteristics;
  // The tone curves of SDR photos; PQ and HLG pictures are not told apart.
  const bool sdrCurve = transfer == heif_transfer_characteristic_IEC_61966_2_1 ||
                        transfer == heif_transfer_characteristic_unspecified ||
                        transfer == heif_transfer_characteristic_ITU_R_BT_709_5 ||
                        transfer == heif_transfer_characteristic_ITU_R_BT_601_6 ||
                        transfer == heif_transfer_characteristic_ITU_R_BT_2020_2_10bit ||
                        transfer == heif_transfer_characteristic_ITU_R_BT_2020_2_12bit;
  if (primaries != heif_color_primaries_ITU_R_BT_709_5 &&
      primaries != heif_color_primaries_unspecified && sdrCurve) {
    profile = MatrixProfile({{nclx->color_primary_red_x, nclx->color_primary_red_y},
                             {nclx->color_primary_green_x, nclx->color_primary_green_y},
                             {nclx->color_primary_blue_x, nclx->color_primary_blue_y},
                             {nclx->color_primary_white_x, nclx->color_primary_white_y}});
  }
  lib->heif_nclx_color_profile_free(nclx);
  return profile;
}

std::vector<std::uint8_t> Encode(const std::uint8_t* rgb, int width, int pitch, int height) {
  tjhandle compressor = tjInitCompress();
  if (!compressor) return {};
  unsigned char* out = nullptr;
  unsigned long size = 0;
  std::vector<std::uint8_t> jpeg;
  if (tjCompress2(compressor, rgb, width, pitch, height, TJPF_RGB, &out, &size, TJSAMP_420,
                  kConvertedPhotoQuality, 0) == 0)
    jpeg.assign(out, out + size);
  if (out) tjFree(out);
  tjDestroy(compressor);
  return jpeg;
}

}  // namespace

struct HeifPhoto::Codec {
  const HeifLibrary* lib = LoadHeifLibrary();
  heif_context* context = nullptr;
  heif_image_handle* handle = nullptr;
  ~Codec() {
    if (handle) lib->heif_image_handle_release(handle);
    if (context) lib->heif_context_free(context);
  }
};

bool HeifSupported() { return LoadHeifLibrary() != nullptr; }

HeifPhoto::HeifPhoto() = default;
HeifPhoto::~HeifPhoto() = default;

bool HeifPhoto::Open(std::span<const std::uint8_t> file) {
  codec_ = std::make_unique<Codec>();
  exif_.clear();
  profile_.clear();
  transformed_ = false;
  const HeifLibrary* lib = codec_->lib;
  if (!lib) return false;
  codec_->context = lib->heif_context_alloc();
  if (!codec_->context) return false;
  lib->heif_context_set_maximum_image_size_limit(codec_->context, kMaxHeifSide);
  if (!Ok(lib->heif_context_read_from_memory_without_copy(codec_->context, file.data(), file.size(),
                                                          nullptr)) ||
      !Ok(lib->heif_context_get_primary_image_handle(codec_->context, &codec_->handle)))
    return false;
  const heif_image_handle* handle = codec_->handle;
  if (!WithinLimit(lib->heif_image_handle_get_width(handle),
                   lib->heif_image_handle_get_height(handle)) ||
      !WithinLimit(lib->heif_image_handle_get_ispe_width(handle),
                   lib->heif_image_handle_get_ispe_height(handle)))
    return false;
  exif_ = ExifOf(lib, handle);
  profile_ = ProfileOf(lib, handle);
  transformed_ = PrimaryImageTransformed(file);
  return true;
}

std::optional<EncodedPicture> HeifPhoto::ToJpeg(int orientation) {
  if (!codec_ || !codec_->handle) return std::nullopt;
  const HeifLibrary* lib = codec_->lib;
  heif_decoding_options* options = lib->heif_decoding_options_alloc();
  options->convert_hdr_to_8bit = 1;
  heif_image* image = nullptr;
  const bool decoded = Ok(lib->heif_decode_image(codec_->handle, &image, heif_colorspace_RGB,
                                                 heif_chroma_interleaved_RGB, options));
  lib->heif_decoding_options_free(options);
  std::optional<EncodedPicture> result;
  int stride = 0;
  const std::uint8_t* rgb =
      decoded ? lib->heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride)
              : nullptr;
  const int width = rgb ? lib->heif_image_get_primary_width(image) : 0;
  const int height = rgb ? lib->heif_image_get_primary_height(image) : 0;
  if (rgb && WithinLimit(width, height) && stride >= 3 * width) {
    if (orientation >= 2 && orientation <= 8) {
      RgbImage stored{width, height, {}};
      stored.rgb.resize(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
      for (int y = 0; y < height; ++y)
        std::copy_n(rgb + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride),
                    3 * static_cast<std::size_t>(width),
                    stored.rgb.begin() + static_cast<std::ptrdiff_t>(y) * 3 * width);
      lib->heif_image_release(image);
      image = nullptr;
      const RgbImage upright = Upright(stored, orientation);
      result = EncodedPicture{Encode(upright.rgb.data(), upright.width, 0, upright.height),
                              upright.width, upright.height};
    } else {
      result = EncodedPicture{Encode(rgb, width, stride, height), width, height};
    }
    if (result->jpeg.empty()) result.reset();
  }
  if (image) lib->heif_image_release(image);
  return result;
}
