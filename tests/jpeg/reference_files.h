#pragma once
// The decoder's test pictures and an independent decoder to compare them with:
// libjpeg-turbo's djpeg (Debian package libjpeg-turbo-progs).
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/exif_thumbnail.h"
#include "tests/support/temp_gallery.h"

namespace jpegtest {

// A picture as interleaved red, green, blue bytes, top row first.
struct RgbImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

// Reads a binary PPM (P6) or PGM (P5, grey replicated into three channels).
inline std::optional<RgbImage> ReadPnm(const ByteVector& bytes) {
  std::size_t at = 0;
  auto token = [&]() -> std::string {
    while (at < bytes.size() && std::isspace(bytes[at])) ++at;
    std::string t;
    while (at < bytes.size() && !std::isspace(bytes[at])) t += static_cast<char>(bytes[at++]);
    return t;
  };
  std::string magic = token();
  if (magic != "P6" && magic != "P5") return std::nullopt;
  RgbImage image;
  image.width = std::atoi(token().c_str());
  image.height = std::atoi(token().c_str());
  if (token() != "255" || image.width <= 0 || image.height <= 0) return std::nullopt;
  ++at;  // the single white-space byte after the maximum value
  const std::size_t pixels = std::size_t(image.width) * std::size_t(image.height);
  const std::size_t channels = magic == "P6" ? 3 : 1;
  if (bytes.size() < at + pixels * channels) return std::nullopt;
  for (std::size_t i = 0; i < pixels; ++i)
    for (int c = 0; c < 3; ++c)
      image.rgb.push_back(bytes[at + i * channels + (channels == 3 ? c : 0)]);
  return image;
}

// The path of djpeg, or empty when it is not installed.
inline std::string DjpegPath() {
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    std::string path = std::string(dir) + "/djpeg";
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return "";
}

// djpeg -nosmooth -dct float -ppm of the JPEG bytes: box-replicated chroma
// like this decoder's, and a floating-point inverse DCT.
inline std::optional<RgbImage> DecodeWithDjpeg(const ByteVector& jpeg) {
  std::string djpeg = DjpegPath();
  if (djpeg.empty()) return std::nullopt;
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vornami-djpeg-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string in = (dir / "in.jpg").string(), out = (dir / "out.pnm").string();
  TempGallery::WriteFile(in, jpeg);
  std::string command = djpeg + " -nosmooth -dct float -ppm -outfile " + out + " " + in;
  int status = std::system(command.c_str());
  std::optional<RgbImage> image;
  if (status == 0) image = ReadPnm(ReadBinaryFile(out));
  std::filesystem::remove_all(dir);
  return image;
}

// A committed fixture of tests/data/jpeg.
inline ByteVector Fixture(const std::string& name) {
  return ReadBinaryFile(std::string(VORNAMI_SOURCE_DIR) + "/tests/data/jpeg/" + name);
}

}  // namespace jpegtest
