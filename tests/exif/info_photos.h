#pragma once
// Synthetic photos for the information step's tests.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/exif_builder.h"

namespace info_test {

// A camera settings array of 30 values: macro normal, flash off, single shot,
// ONE SHOT AF, Large, full auto, standard tones, evaluative metering, AF
// point centre, program AE, a 28-80 mm lens.
inline std::vector<std::uint16_t> CameraSettings() {
  std::vector<std::uint16_t> v(30, 0);
  v[1] = 2;
  v[17] = 3;
  v[19] = 0x3003;
  v[20] = 1;
  v[23] = 80;
  v[24] = 28;
  return v;
}

// A shot information array of 16 values: daylight, centre AF point used, +1/3 EV.
inline std::vector<std::uint16_t> ShotInfo() {
  std::vector<std::uint16_t> v(16, 0);
  v[7] = 1;
  v[14] = 0x3002;
  v[15] = 0x000C;
  return v;
}

// A Canon maker's note with everything the page reads.
inline fixture::Entry CanonNote(std::vector<std::uint16_t> customFunctions,
                                std::vector<std::uint16_t> settings = CameraSettings()) {
  std::vector<fixture::Entry> note = {
      fixture::Shorts(0x0001, std::move(settings)),
      fixture::Shorts(0x0004, ShotInfo()),
      fixture::Ascii(0x0006, "IMG:EOS D30 JPEG"),
      fixture::Ascii(0x0007, "Firmware Version 1.0.4"),
      fixture::Long(0x0008, 1001234),
      fixture::Ascii(0x0009, "Owner Name"),
      fixture::Long(0x000C, 0x00AB0000 | 291),
  };
  if (!customFunctions.empty()) {
    auto cf = fixture::Shorts(0x000F, std::move(customFunctions));
    note.push_back(cf.OutOfLine());
  }
  return fixture::SubDirectory(0x927C, std::move(note));
}

// The Exif IFD every test photo shares: 1/250 s at F5.6, ISO 200, metering 5,
// 50 mm, 640 x 480, Exif 2.2, its dates.
inline std::vector<fixture::Entry> ExifIfd(const std::string& date = "2003:08:03 09:05:00") {
  return {
      fixture::Rational(0x829A, 1, 250), fixture::Rational(0x829D, 56, 10),
      fixture::Short(0x8827, 200),       fixture::Undefined(0x9000, {'0', '2', '2', '0'}),
      fixture::Ascii(0x9003, date),      fixture::Ascii(0x9004, date),
      fixture::Rational(0x9102, 2, 1),   fixture::SRational(0x9201, 8, 1),
      fixture::Rational(0x9202, 5, 1),   fixture::SRational(0x9204, -2, 3),
      fixture::Rational(0x9205, 3, 1),   fixture::SRational(0x9206, 3, 2),
      fixture::Short(0x9207, 5),         fixture::Rational(0x920A, 50, 1),
      fixture::Long(0xA002, 640),        fixture::Long(0xA003, 480),
  };
}

inline fixture::ExifJpeg Photo(const std::string& make, const std::string& model,
                               fixture::Order order = fixture::Order::kLittle) {
  fixture::ExifJpeg jpeg(order);
  if (!make.empty()) jpeg.ifd0.push_back(fixture::Ascii(0x010F, make));
  if (!model.empty()) jpeg.ifd0.push_back(fixture::Ascii(0x0110, model));
  jpeg.exif = ExifIfd();
  return jpeg;
}

inline fixture::ExifJpeg CanonPhoto(const std::string& model,
                                    std::vector<std::uint16_t> customFunctions = {}) {
  fixture::ExifJpeg jpeg = Photo("Canon", model);
  jpeg.exif.push_back(CanonNote(std::move(customFunctions)));
  return jpeg;
}

}  // namespace info_test
