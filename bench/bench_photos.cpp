// Writes N camera-like photos for the benchmarks: IMG_0001.JPG, IMG_0002.JPG, …
// each with an Exif block as a Canon compact writes it (IFD0, an Exif IFD with
// a Canon maker note, IFD1 with a real 160×120 JPEG thumbnail) followed by a
// real JPEG picture. Pictures and thumbnails come from cjpeg, encoded once from
// generated PPM images and reused in turn; shooting times and image numbers
// differ from photo to photo. With --phone, photos as today's phones write
// them: a 4032×3024 picture and no embedded thumbnail.
//
//   vornami_bench_photos [--count N] [--cjpeg PATH] [--phone] OUTDIR
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/exif_builder.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

int kPictureWidth = 640;
int kPictureHeight = 480;
constexpr int kPhoneWidth = 4032;
constexpr int kPhoneHeight = 3024;
constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 120;
int kVariants = 8;  // distinct pictures and thumbnails, used in turn

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// A deterministic pseudo-random stream (xorshift), so that every run makes the same files.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }

 private:
  std::uint32_t state_;
};

std::uint8_t Clamp(double v) {
  return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
}

// A landscape-like picture: a sky gradient, rolling hills, soft shapes and
// sensor-like noise, so that it compresses like a photo and not like a drawing.
Image MakePicture(int variant) {
  Image img{kPictureWidth, kPictureHeight, {}};
  img.rgb.resize(static_cast<std::size_t>(img.width) * img.height * 3);
  Random rnd(static_cast<std::uint32_t>(variant + 1));
  const double phase = variant * 0.7;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const double fx = static_cast<double>(x) / img.width;
      const double fy = static_cast<double>(y) / img.height;
      const double horizon = 0.55 + 0.08 * std::sin(6.0 * fx + phase) + 0.03 * std::sin(23.0 * fx);
      double r, g, b;
      if (fy < horizon) {
        r = 90 + 80 * fy + 20 * std::sin(3 * fx + phase);
        g = 140 + 60 * fy;
        b = 230 - 40 * fy;
      } else {
        const double leaves = std::sin(0.35 * x + 0.2 * y + phase) * std::sin(0.27 * y - 0.11 * x);
        r = 70 + 40 * leaves + 50 * (fy - horizon);
        g = 120 + 50 * leaves;
        b = 50 + 20 * leaves;
      }
      const double noise = static_cast<int>(rnd.Next() % 41) - 20;
      std::uint8_t* p = &img.rgb[(static_cast<std::size_t>(y) * img.width + x) * 3];
      p[0] = Clamp(r + noise);
      p[1] = Clamp(g + noise * 0.8);
      p[2] = Clamp(b + noise * 0.6);
    }
  }
  return img;
}

// The picture scaled down by averaging boxes, as a camera makes its thumbnail.
Image Shrink(const Image& src, int width, int height) {
  Image img{width, height, {}};
  img.rgb.resize(static_cast<std::size_t>(width) * height * 3);
  const int bx = src.width / width;
  const int by = src.height / height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        unsigned sum = 0;
        for (int j = 0; j < by; ++j)
          for (int i = 0; i < bx; ++i)
            sum +=
                src.rgb[((static_cast<std::size_t>(y) * by + j) * src.width + x * bx + i) * 3 + c];
        img.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] =
            static_cast<std::uint8_t>(sum / (bx * by));
      }
    }
  }
  return img;
}

bool WritePpm(const fs::path& path, const Image& img) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "P6\n" << img.width << " " << img.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(img.rgb.data()),
            static_cast<std::streamsize>(img.rgb.size()));
  return static_cast<bool>(out);
}

bool ReadAll(const fs::path& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string Quoted(const fs::path& path) {
  std::string out = "'";
  for (char c : path.string()) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

bool Encode(const std::string& cjpeg, const std::string& options, const fs::path& ppm,
            const fs::path& jpg, Bytes& bytes) {
  const std::string command =
      Quoted(cjpeg) + " " + options + " -outfile " + Quoted(jpg) + " " + Quoted(ppm);
  if (std::system(command.c_str()) != 0) {
    std::cerr << "failed: " << command << "\n";
    return false;
  }
  return ReadAll(jpg, bytes) && bytes.size() > 4 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

std::string ExifTime(std::time_t t) {
  std::tm tm{};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &tm);
  return text;
}

std::string PaddedText(const std::string& text, std::size_t size) {
  std::string out = text;
  out.resize(size, '\0');
  return out;
}

// The Canon maker note: camera settings, shot information, image type,
// firmware, image number, owner, serial number and custom functions.
fixture::Entry CanonMakerNote(int index) {
  using namespace fixture;
  std::vector<std::uint16_t> settings(46, 0);
  settings[0] = 92;         // the array's own size in bytes
  settings[1] = 2;          // macro mode: normal
  settings[2] = 0;          // self-timer off
  settings[4] = index % 3;  // flash: off, auto, on
  settings[5] = 0;          // single frame
  settings[7] = 0;          // one-shot AF
  settings[10] = 0;         // large
  settings[11] = 1;         // manual
  settings[17] = 5;         // centre-weighted
  settings[19] = 0x3001;    // AF point: automatic
  settings[20] = 1;         // program AE
  settings[23] = 21;        // longest focal length
  settings[24] = 7;         // shortest focal length
  settings[29] = 0x2000;    // built-in flash
  std::vector<std::uint16_t> shot(34, 0);
  shot[0] = 68;
  shot[7] = index % 5;  // white balance
  shot[14] = 0x3002;    // AF point used: centre
  shot[15] = 0x000C;    // flash compensation +1/3
  std::vector<std::uint16_t> custom = {0x0100, 0x0201, 0x0300, 0x0401, 0x0500, 0x0600, 0x0700,
                                       0x0801, 0x0900, 0x0A00, 0x0B01, 0x0C00, 0x0D00};
  std::vector<std::uint32_t> focal = {0, 7, 0, 0};
  return SubDirectory(
      0x927C, {Shorts(0x0001, settings), Longs(0x0002, focal),
               Shorts(0x0003, std::vector<std::uint16_t>(4, 0)), Shorts(0x0004, shot),
               Ascii(0x0006, "IMG:EOS D60 JPEG"), Ascii(0x0007, "Firmware Version 1.10"),
               Long(0x0008, 1000000 + static_cast<std::uint32_t>(index) + 1),
               AsciiBytes(0x0009, PaddedText("Vornami Bench", 32)), Long(0x000C, 0x00AB0000u + 291),
               Shorts(0x000F, custom)});
}

Bytes MakePhoto(int index, std::time_t shot, const Bytes& picture,
                const std::optional<Bytes>& thumbnail) {
  using namespace fixture;
  ExifJpeg photo(Order::kLittle);
  const std::string when = ExifTime(shot);
  photo.ifd0 = {Ascii(0x010F, "Canon"),   Ascii(0x0110, "Canon EOS D60"),
                Short(0x0112, 1),         Rational(0x011A, 180, 1),
                Rational(0x011B, 180, 1), Short(0x0128, 2),
                Ascii(0x0132, when),      Short(0x0213, 1)};
  const int exposures[] = {60, 125, 250, 500, 30};
  photo.exif = {Rational(0x829A, 1, static_cast<std::uint32_t>(exposures[index % 5])),
                Rational(0x829D, 28 + index % 4 * 4, 10),
                AsciiBytes(0x9000, "0220"),
                Ascii(0x9003, when),
                Ascii(0x9004, when),
                Undefined(0x9101, {1, 2, 3, 0}),
                Rational(0x9102, 5, 1),
                SRational(0x9201, 189, 32),
                Rational(0x9202, 95, 32),
                SRational(0x9204, 0, 3),
                Rational(0x9205, 95, 32),
                Short(0x9207, 5),
                Short(0x9209, index % 3 == 0 ? 0 : 1),
                Rational(0x920A, 21 + index % 50, 1),
                CanonMakerNote(index),
                Undefined(0x9286, std::vector<std::uint8_t>(264, 0)),
                AsciiBytes(0xA000, "0100"),
                Short(0xA001, 1),
                Short(0xA002, kPictureWidth),
                Short(0xA003, kPictureHeight),
                Rational(0xA20E, 2272000, 284),
                Rational(0xA20F, 1704000, 213),
                Short(0xA210, 2),
                Short(0xA217, 2),
                Undefined(0xA300, {3})};
  photo.ifd1 = {Short(0x0103, 6), Rational(0x011A, 180, 1), Rational(0x011B, 180, 1),
                Short(0x0128, 2)};
  if (!thumbnail) photo.ifd1.clear();  // a phone writes no IFD1 at all
  photo.thumbnail = thumbnail;
  // The picture's own segments follow the Exif block, after its start marker.
  photo.tail.assign(picture.begin() + 2, picture.end());
  return photo.Build();
}

int Usage() {
  std::cerr << "usage: vornami_bench_photos [--count N] [--cjpeg PATH] [--phone] OUTDIR\n";
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 1000;
  std::string cjpeg = "cjpeg";
  bool phone = false;
  fs::path outDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--count" && i + 1 < argc) {
      count = std::atoi(argv[++i]);
    } else if (arg == "--phone") {
      phone = true;
    } else if (arg == "--cjpeg" && i + 1 < argc) {
      cjpeg = argv[++i];
    } else if (!arg.empty() && arg[0] != '-' && outDir.empty()) {
      outDir = arg;
    } else {
      return Usage();
    }
  }
  if (outDir.empty() || count < 1 || count > 9999) return Usage();
  if (phone) {
    // Fewer distinct pictures: each takes a few seconds to encode.
    kPictureWidth = kPhoneWidth;
    kPictureHeight = kPhoneHeight;
    kVariants = 4;
  }

  std::error_code ec;
  const fs::path work = outDir / ".encode";
  fs::create_directories(work, ec);
  if (ec) {
    std::cerr << work << ": " << ec.message() << "\n";
    return 1;
  }
  std::vector<Bytes> pictures(kVariants), thumbnails(kVariants);
  for (int v = 0; v < kVariants; ++v) {
    const Image picture = MakePicture(v);
    const fs::path big = work / ("picture" + std::to_string(v));
    const fs::path small = work / ("thumbnail" + std::to_string(v));
    if (!WritePpm(big.string() + ".ppm", picture) ||
        !WritePpm(small.string() + ".ppm", Shrink(picture, kThumbnailWidth, kThumbnailHeight)) ||
        !Encode(cjpeg, "-quality 92", big.string() + ".ppm", big.string() + ".jpg", pictures[v]) ||
        !Encode(cjpeg, "-quality 90 -sample 2x1", small.string() + ".ppm", small.string() + ".jpg",
                thumbnails[v])) {
      std::cerr << "cannot encode the pictures in " << work << "\n";
      return 1;
    }
  }
  fs::remove_all(work, ec);

  // Shooting times go up by irregular steps, one photo per step, never twice
  // in the same second.
  std::time_t shot = 1059901500;  // 2003-08-03 09:05:00
  for (int i = 0; i < count; ++i) {
    shot += 7 + (i * 37) % 113;
    std::optional<Bytes> thumbnail;
    if (!phone) thumbnail = thumbnails[(i * 3) % kVariants];
    const Bytes bytes = MakePhoto(i, shot, pictures[i % kVariants], thumbnail);
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.JPG", i + 1);
    std::ofstream out(outDir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::cerr << (outDir / name) << ": cannot write\n";
      return 1;
    }
  }
  return 0;
}
