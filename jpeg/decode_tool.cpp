// vornami-decode FILE OUT.ppm: runs this system's JPEG decoder (load, decode,
// take the image) on a file and writes the picture as a binary PPM (P6).
// Exit 0 on success; 1, printing the result code, when loading or decoding
// fails, or when a file cannot be read or written; 2 on wrong usage.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "jpeg/jpeg_decoder.h"
#include "platform/program_info.h"
#include "platform/raw_file.h"

namespace {

constexpr std::size_t kMaxInputBytes = std::size_t{1} << 24;

constexpr char kUsage[] =
    "usage: vornami-decode FILE OUT.ppm\n"
    "Decodes the baseline JPEG FILE (the kind cameras embed as thumbnails) with the\n"
    "preview's decoder and writes the picture to OUT.ppm as a binary PPM.\n"
    "Exit status: 0 done; 1 when FILE cannot be read or decoded or OUT.ppm written\n"
    "(printing the failing step and its result code); 2 usage error.\n"
    "--help prints this text, --version the program's version.\n";

}  // namespace

int main(int argc, char** argv) {
  auto request = platform::FindInfoRequest(std::vector<std::string>(argv + 1, argv + argc));
  if (request != platform::InfoRequest::kNone) {
    platform::AnswerInfoRequest(request, "vornami-decode", kUsage, std::cout);
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: vornami-decode FILE OUT.ppm\n");
    return 2;
  }
  auto data = platform::ReadHead(argv[1], kMaxInputBytes + 1);
  if (!data) {
    std::fprintf(stderr, "vornami-decode: cannot read %s\n", argv[1]);
    return 1;
  }
  if (data->size() > kMaxInputBytes) {
    std::fprintf(stderr, "vornami-decode: %s is larger than %zu bytes\n", argv[1], kMaxInputBytes);
    return 1;
  }

  CJpegDecoder decoder;
  std::int32_t result = decoder.LoadFromMemory(data->data(), data->size());
  if (result != 0) {
    std::printf("LoadFromMemory %d\n", result);
    return 1;
  }
  result = decoder.Decode();
  if (result != 0) {
    std::printf("Decode %d\n", result);
    return 1;
  }
  Plane red, green, blue;
  std::int32_t width = 0, height = 0;
  decoder.GetImage(red, green, blue, width, height);

  std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  std::vector<std::uint8_t> ppm(header.begin(), header.end());
  ppm.reserve(header.size() + std::size_t(width) * std::size_t(height) * 3);
  for (std::size_t i = 0; i < std::size_t(width) * std::size_t(height); ++i) {
    ppm.push_back(red[i]);
    ppm.push_back(green[i]);
    ppm.push_back(blue[i]);
  }
  if (!platform::WriteRaw(argv[2], ppm.data(), ppm.size())) {
    std::fprintf(stderr, "vornami-decode: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
