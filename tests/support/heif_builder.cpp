#include "tests/support/heif_builder.h"

#include <libheif/heif.h>

#include <cstring>
#include <stdexcept>

#include "picture/thumbnail_pixels.h"

namespace fixture {
namespace {

void Check(heif_error error) {
  if (error.code != heif_error_Ok) throw std::runtime_error(error.message);
}

heif_error Append(heif_context*, const void* data, size_t size, void* userdata) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(userdata);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
  return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
}

RgbImage Quarters(int width, int height) {
  RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb c = kQuarterColours[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
      std::uint8_t* p = &image.rgb[(std::size_t(y) * width + x) * 3];
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    }
  return image;
}

}  // namespace

std::vector<std::uint8_t> BuildHeif(const HeifRecipe& recipe) {
  // The stored picture is the upright one turned back: 6 and 8 undo each
  // other, every other orientation undoes itself.
  const int back = recipe.orientation == 6 ? 8 : recipe.orientation == 8 ? 6 : recipe.orientation;
  const RgbImage stored = Upright(Quarters(recipe.width, recipe.height), back);

  heif_context* context = heif_context_alloc();
  heif_encoder* encoder = nullptr;
  heif_image* image = nullptr;
  heif_encoding_options* options = heif_encoding_options_alloc();
  std::vector<std::uint8_t> out;
  try {
    Check(heif_image_create(stored.width, stored.height, heif_colorspace_RGB,
                            heif_chroma_interleaved_RGB, &image));
    Check(heif_image_add_plane(image, heif_channel_interleaved, stored.width, stored.height, 8));
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < stored.height; ++y)
      std::memcpy(plane + std::size_t(y) * stride, &stored.rgb[std::size_t(y) * stored.width * 3],
                  std::size_t(stored.width) * 3);
    if (!recipe.icc.empty())
      Check(heif_image_set_raw_color_profile(image, "prof", recipe.icc.data(), recipe.icc.size()));
    Check(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder));
    Check(heif_encoder_set_lossy_quality(encoder, 90));
    if (recipe.orientationAsBoxes)
      options->image_orientation = heif_orientation(recipe.orientation);
    heif_image_handle* handle = nullptr;
    Check(heif_context_encode_image(context, image, encoder, options, &handle));
    if (!recipe.exifTiff.empty())
      Check(heif_context_add_exif_metadata(context, handle, recipe.exifTiff.data(),
                                           static_cast<int>(recipe.exifTiff.size())));
    heif_image_handle_release(handle);
    heif_writer writer{1, Append};
    Check(heif_context_write(context, &writer, &out));
  } catch (...) {
    out.clear();
  }
  heif_encoding_options_free(options);
  if (image) heif_image_release(image);
  if (encoder) heif_encoder_release(encoder);
  heif_context_free(context);
  return out;
}

}  // namespace fixture
