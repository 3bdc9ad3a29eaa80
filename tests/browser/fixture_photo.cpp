// Writes one camera-like photo for the browser test's gallery: a real JPEG
// picture with an Exif block in front that names the camera, the shooting time
// and, unless "none" is given, an embedded thumbnail.
//
//   vornami_fixture_photo OUT.jpg PICTURE.jpg THUMBNAIL.jpg|none "YYYY:MM:DD HH:MM:SS" MODEL
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/exif_builder.h"

namespace {

bool ReadAll(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool IsJpeg(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: vornami_fixture_photo OUT.jpg PICTURE.jpg THUMBNAIL.jpg|none "
                 "\"YYYY:MM:DD HH:MM:SS\" MODEL\n";
    return 64;
  }
  std::vector<std::uint8_t> picture;
  if (!ReadAll(argv[2], picture) || !IsJpeg(picture)) {
    std::cerr << argv[2] << ": not a JPEG file\n";
    return 1;
  }
  fixture::ExifJpeg photo;
  photo.ifd0 = {fixture::Ascii(0x010F, "Vornami"), fixture::Ascii(0x0110, argv[5])};
  // Shooting values as a camera records them: 1/250 s at f/5.6, ISO 100.
  photo.exif = {fixture::Rational(0x829A, 1, 250), fixture::Rational(0x829D, 56, 10),
                fixture::Short(0x8827, 100),       fixture::Undefined(0x9000, {'0', '2', '2', '0'}),
                fixture::Ascii(0x9003, argv[4]),   fixture::Ascii(0x9004, argv[4])};
  if (std::string(argv[3]) != "none") {
    std::vector<std::uint8_t> thumbnail;
    if (!ReadAll(argv[3], thumbnail) || !IsJpeg(thumbnail)) {
      std::cerr << argv[3] << ": not a JPEG file\n";
      return 1;
    }
    photo.ifd1 = {fixture::Short(0x0103, 6)};  // JPEG-compressed thumbnail
    photo.thumbnail = thumbnail;
  }
  // The picture's own segments follow the Exif block, after its start marker.
  photo.tail.assign(picture.begin() + 2, picture.end());
  if (!photo.Write(argv[1])) {
    std::cerr << argv[1] << ": cannot write\n";
    return 1;
  }
  return 0;
}
