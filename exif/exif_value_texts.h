#pragma once
// The texts of the standard Exif shooting values (items 1 to 18 of an
// information page). Every function gives an empty text where the value gives
// none; the page then shows the missing-value mark.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace exif_text {

// Half up to one decimal: + 0.05 when the fraction of 10·v is at least 0.5.
double OneDecimal(double v);
// Half up to two decimals: + 0.005 when the fraction of 100·v is at least 0.5.
double TwoDecimal(double v);
// The integer part of x, rounded half up, as "%.0f" prints it.
std::string HalfUpWhole(double x);

// Items 3 and 10: "1/N秒", "0.3", "4秒"; nothing for t <= 0 or t not finite.
std::string ExposureTime(double seconds);
// Item 4: "F2.8".
std::string FNumber(double v);
// Item 9: "Fine(2.0)" up to 3.0, "Normal(5.0)" above.
std::string Compression(double v);
// Item 10: the exposure time of 1 / 2^apex.
std::string ShutterSpeed(double apex);
// Items 11 and 13: "F" and (√2)^apex.
std::string Aperture(double apex);
// Item 12: "EV±0.0", "EV+0.7", "EV-0.3".
std::string ExposureBias(double v);
// Item 14: "1.50m".
std::string SubjectDistance(double v);
// Item 16: the integer part after one-decimal rounding, "34mm".
std::string FocalLength(double v);
// Item 15: the metering mode's name; nothing for a value not listed.
std::string MeteringMode(std::uint32_t mode);
// Item 6: the four bytes of the value field as stored: "0220" gives "2.2".
std::string ExifVersion(const std::array<std::uint8_t, 4>& stored);
// Items 7 and 8: "YYYY:MM:DD HH:MM:SS" reads "YYYY/MM/DD HH:MM:SS".
std::string DateTime(std::string_view text);
// Items 5, 17, 18: "%d".
std::string Integer(std::int32_t value);

}  // namespace exif_text
