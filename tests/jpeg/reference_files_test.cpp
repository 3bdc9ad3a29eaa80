// Helpers of the reference comparison: PNM reading and djpeg. (Kept in a
// *_test.cpp file so that the jpeg test program compiles it.)
#include "tests/jpeg/reference_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_gallery.h"

namespace jpegtest {

namespace fs = std::filesystem;

std::optional<RgbImage> ReadPnm(const ByteVector& bytes) {
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

std::string DjpegPath() {
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    std::string path = std::string(dir) + "/djpeg";
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return "";
}

std::optional<RgbImage> DecodeWithDjpeg(const ByteVector& jpeg) {
  std::string djpeg = DjpegPath();
  if (djpeg.empty()) return std::nullopt;
  fs::path dir = fs::temp_directory_path() / ("vornami-djpeg-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string in = (dir / "in.jpg").string(), out = (dir / "out.pnm").string();
  TempGallery::WriteFile(in, jpeg);
  std::string command = djpeg + " -nosmooth -dct float -ppm -outfile " + out + " " + in;
  int status = std::system(command.c_str());
  std::optional<RgbImage> image;
  if (status == 0) image = ReadPnm(ReadBinaryFile(out));
  fs::remove_all(dir);
  return image;
}

ByteVector Fixture(const std::string& name) {
  return ReadBinaryFile(std::string(VORNAMI_SOURCE_DIR) + "/tests/data/jpeg/" + name);
}

TEST(ReferenceFiles, ReadsPpmAndPgm) {
  std::string ppm = "P6\n2 1\n255\n";
  ByteVector p(ppm.begin(), ppm.end());
  for (int b : {1, 2, 3, 4, 5, 6}) p.push_back(static_cast<std::uint8_t>(b));
  auto image = ReadPnm(p);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->rgb, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  std::string pgm = "P5 2 1 255\n";
  ByteVector g(pgm.begin(), pgm.end());
  g.push_back(7);
  g.push_back(8);
  image = ReadPnm(g);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->rgb, (std::vector<std::uint8_t>{7, 7, 7, 8, 8, 8}));
}

}  // namespace jpegtest
