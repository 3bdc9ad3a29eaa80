#include "picture/picture_decoder.h"

// jpeglib.h wants FILE and size_t declared before it.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <new>
#include <vector>

#include "texts/picture_texts.h"

namespace {

// One decoding. libjpeg reports an error by a jump back to Run, which
// therefore holds no object with a destructor; what outlives a jump lives here.
struct Session {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  const DecodeBounds* bounds = nullptr;
  const char* reason = nullptr;  // why the decoding was given up, once known
  std::span<const std::uint8_t> jpeg;
  PixelSize least;
  RgbImage image;
  std::vector<std::uint8_t> cmykRow;
  long long pictureBlocks = 0;  // of all components
  long long scanBlocks = 0;     // read by the scans so far
  int lastScan = 0;
};

Session& SessionOf(j_common_ptr common) { return *static_cast<Session*>(common->client_data); }

[[noreturn]] void GiveUp(Session& s, const char* reason) {
  if (!s.reason) s.reason = reason;
  std::longjmp(s.jump, 1);
}

// What the user reads for libjpeg's own error codes.
const char* ReasonFor(int code) {
  switch (code) {
    case JERR_BAD_PRECISION:    // 12-bit and 16-bit pictures
    case JERR_SOF_UNSUPPORTED:  // lossless and hierarchical pictures
    case JERR_NOT_COMPILED:
    case JERR_ARITH_NOTIMPL:
    case JERR_CONVERSION_NOTIMPL:
      return txt::kPictureUnsupported;
    case JERR_OUT_OF_MEMORY:
    case JERR_NO_BACKING_STORE:
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
      return txt::kPictureTooLarge;
    default:
      return txt::kPictureDamaged;
  }
}

void OnError(j_common_ptr common) {
  Session& s = SessionOf(common);
  GiveUp(s, ReasonFor(common->err->msg_code));
}

// Warnings (a file cut short, say) still give the picture, as far as it goes.
void OnMessage(j_common_ptr, int) {}

// Called between rows of blocks, also while a progressive picture's scans
// are read: the stop and the scan limit take effect within one row.
void OnProgress(j_common_ptr common) {
  Session& s = SessionOf(common);
  if (s.bounds->stop && s.bounds->stop->load(std::memory_order_relaxed))
    GiveUp(s, txt::kPictureStopped);
  const auto* info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->input_scan_number > s.bounds->maxScans) GiveUp(s, txt::kPictureTooManyScans);
  if (info->input_scan_number != s.lastScan && s.pictureBlocks > 0) {
    s.lastScan = info->input_scan_number;
    for (int i = 0; i < info->comps_in_scan; ++i)
      s.scanBlocks += static_cast<long long>(info->cur_comp_info[i]->width_in_blocks) *
                      info->cur_comp_info[i]->height_in_blocks;
    if (s.scanBlocks > s.pictureBlocks * s.bounds->maxScanPasses)
      GiveUp(s, txt::kPictureTooManyScans);
  }
}

std::size_t RoundUp(std::size_t value, std::size_t step) {
  return step == 0 ? value : (value + step - 1) / step * step;
}

// The coefficients libjpeg keeps for the whole picture when it comes in
// more than one scan (progressive, or components in scans of their own).
std::size_t CoefficientBytes(const jpeg_decompress_struct& info) {
  if (!info.progressive_mode && info.comps_in_scan >= info.num_components) return 0;
  std::size_t blocks = 0;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& comp = info.comp_info[c];
    blocks += RoundUp(comp.width_in_blocks, static_cast<std::size_t>(comp.h_samp_factor)) *
              RoundUp(comp.height_in_blocks, static_cast<std::size_t>(comp.v_samp_factor));
  }
  return blocks * DCTSIZE2 * sizeof(JCOEF);
}

// The smallest scale k/8 whose size still covers `least`.
void ChooseScale(jpeg_decompress_struct& info, PixelSize least) {
  info.scale_denom = 8;
  info.scale_num = 8;
  for (unsigned k = 1; k < 8; ++k) {
    const long long w = (static_cast<long long>(info.image_width) * k + 7) / 8;
    const long long h = (static_cast<long long>(info.image_height) * k + 7) / 8;
    if (w >= least.width && h >= least.height) {
      info.scale_num = k;
      return;
    }
  }
}

// CMYK as browsers show it: each channel times the black channel's
// complement. Photoshop (an Adobe marker) stores all four inverted.
void CmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t pixels, bool inverted) {
  for (std::size_t i = 0; i < pixels; ++i, cmyk += 4, rgb += 3) {
    const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
      rgb[c] = static_cast<std::uint8_t>(ink * k / 255);
    }
  }
}

void ReadHeader(Session& s) {
  jpeg_mem_src(&s.info, s.jpeg.data(), static_cast<unsigned long>(s.jpeg.size()));
  jpeg_read_header(&s.info, TRUE);
  if (s.info.image_width < 1 || s.info.image_height < 1) GiveUp(s, txt::kPictureDamaged);
}

void Decode(Session& s) {
  ReadHeader(s);
  jpeg_decompress_struct& info = s.info;
  if (static_cast<long long>(info.image_width) * info.image_height > s.bounds->maxPixels ||
      CoefficientBytes(info) > s.bounds->maxCoefficientBytes)
    GiveUp(s, txt::kPictureTooLarge);
  for (int c = 0; c < info.num_components; ++c)
    s.pictureBlocks += static_cast<long long>(info.comp_info[c].width_in_blocks) *
                       info.comp_info[c].height_in_blocks;
  info.mem->max_memory_to_use = static_cast<long>(s.bounds->maxCoefficientBytes + (16 << 20));
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  ChooseScale(info, s.least);
  jpeg_start_decompress(&info);
  const std::size_t width = info.output_width, height = info.output_height;
  bool allocated = true;
  try {
    s.image.rgb.assign(width * height * 3, 0);
    if (cmyk) s.cmykRow.assign(width * 4, 0);
  } catch (const std::bad_alloc&) {
    allocated = false;  // given up below: no jump out of a handler
  }
  if (!allocated) GiveUp(s, txt::kPictureTooLarge);
  s.image.width = static_cast<int>(width);
  s.image.height = static_cast<int>(height);
  while (info.output_scanline < info.output_height) {
    std::uint8_t* out = &s.image.rgb[std::size_t(info.output_scanline) * width * 3];
    JSAMPROW row = cmyk ? s.cmykRow.data() : out;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) GiveUp(s, txt::kPictureDamaged);
    if (cmyk) CmykToRgb(s.cmykRow.data(), out, width, info.saw_Adobe_marker);
  }
  jpeg_abort_decompress(&info);  // the rest of the file (a cut one's EOI) is not needed
}

// The one place libjpeg jumps back to, holding nothing a jump could skip or
// clobber: false when the steps were given up.
bool Guarded(Session& s, void (*steps)(Session&)) {
  if (setjmp(s.jump)) return false;
  steps(s);
  return true;
}

// Sets up libjpeg with the session's error and progress handlers, runs the
// steps, and frees what libjpeg holds. False with s.reason when given up.
bool Run(Session& s, const DecodeBounds& bounds, void (*steps)(Session&)) {
  s.bounds = &bounds;
  s.info.err = jpeg_std_error(&s.errors);
  s.errors.error_exit = OnError;
  s.errors.emit_message = OnMessage;
  s.info.client_data = &s;
  bool done = Guarded(s, [](Session& t) { jpeg_create_decompress(&t.info); });
  if (done) {
    s.progress.progress_monitor = OnProgress;
    s.info.progress = &s.progress;
    done = Guarded(s, steps);
  }
  jpeg_destroy_decompress(&s.info);
  if (!done && !s.reason) s.reason = txt::kPictureDamaged;
  return done;
}

}  // namespace

platform::Result<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> jpeg) {
  if (jpeg.empty()) return platform::Fail(txt::kPictureDamaged);
  static const DecodeBounds kNoBounds;
  Session s;
  s.jpeg = jpeg;
  if (!Run(s, kNoBounds, [](Session& t) {
        ReadHeader(t);
        t.image.width = static_cast<int>(t.info.image_width);
        t.image.height = static_cast<int>(t.info.image_height);
      }))
    return platform::Fail(s.reason);
  return PictureHeader{{s.image.width, s.image.height}};
}

platform::Result<RgbImage> DecodePicture(std::span<const std::uint8_t> jpeg, PixelSize least,
                                         const DecodeBounds& bounds) {
  if (jpeg.empty()) return platform::Fail(txt::kPictureDamaged);
  Session s;
  s.jpeg = jpeg;
  s.least = least;
  if (!Run(s, bounds, Decode)) return platform::Fail(s.reason);
  return std::move(s.image);
}
