#include "exif/exif_value_texts.h"

#include <cmath>
#include <cstdio>

#include "exif/code_text.h"
#include "texts/info_texts.h"

namespace exif_text {
namespace {

// printf of one double; the buffer grows for the longest "%.0f" of a double.
std::string Format(const char* format, double v) {
  int size = std::snprintf(nullptr, 0, format, v);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, v);
  out.pop_back();
  return out;
}

const CodeText kMeteringModes[] = {
    {0, txt::kMeteringUnknown}, {1, txt::kMeteringAverage},   {2, txt::kMeteringCentre},
    {3, txt::kMeteringSpot},    {4, txt::kMeteringMultiSpot}, {5, txt::kMeteringMultiSegment},
    {6, txt::kMeteringPartial}, {255, txt::kMeteringOther},
};

}  // namespace

double OneDecimal(double v) {
  double whole;
  return std::modf(10.0 * v, &whole) >= 0.5 ? v + 0.05 : v;
}

double TwoDecimal(double v) {
  double whole;
  return std::modf(100.0 * v, &whole) >= 0.5 ? v + 0.005 : v;
}

std::string HalfUpWhole(double x) {
  double whole;
  if (std::modf(x, &whole) >= 0.5) std::modf(x + 0.5, &whole);
  return Format("%.0f", whole);
}

std::string ExposureTime(double seconds) {
  if (!(seconds > 0.0) || !std::isfinite(seconds)) return {};
  if (seconds <= 0.25) {
    double perSecond = 1.0 / seconds;
    if (!std::isfinite(perSecond)) return {};
    return "1/" + HalfUpWhole(perSecond) + txt::kExifSeconds;
  }
  if (seconds < 4.0) {
    double rounded = OneDecimal(seconds);
    if (rounded < 4.0) return Format("%.1f", rounded);
  }
  return HalfUpWhole(seconds) + txt::kExifSeconds;
}

std::string FNumber(double v) {
  if (!std::isfinite(v)) return {};
  std::string text = "F";  // appended, not "F" + …: GCC 12 warns falsely (-Wrestrict) on that
  return text += Format("%.1f", OneDecimal(v));
}

std::string Compression(double v) {
  if (!std::isfinite(v)) return {};
  double rounded = OneDecimal(v);
  return (rounded <= 3.0 ? "Fine(" : "Normal(") + Format("%.1f", rounded) + ")";
}

std::string ShutterSpeed(double apex) { return ExposureTime(1.0 / std::pow(2.0, apex)); }

std::string Aperture(double apex) { return FNumber(std::pow(std::sqrt(2.0), apex)); }

std::string ExposureBias(double v) {
  if (!std::isfinite(v)) return {};
  // A zero with a negative denominator is -0.0, which must not print as "-0.0".
  if (v == 0.0) return txt::kExifBiasZero + Format("%.1f", 0.0);
  if (v > 0.0) return "EV+" + Format("%.1f", v);
  return "EV-" + Format("%.1f", -v);
}

std::string SubjectDistance(double v) {
  if (!std::isfinite(v)) return {};
  return Format("%.2f", TwoDecimal(v)) + "m";
}

std::string FocalLength(double v) {
  if (!std::isfinite(v)) return {};
  double whole;
  std::modf(OneDecimal(v), &whole);
  return Format("%.0f", whole) + "mm";
}

std::string MeteringMode(std::uint32_t mode) {
  return std::string(FindText(kMeteringModes, mode).value_or(""));
}

std::string ExifVersion(const std::array<std::uint8_t, 4>& stored) {
  std::string text;
  if (stored[0] != '0') text += static_cast<char>(stored[0]);
  text += static_cast<char>(stored[1]);
  text += '.';
  text += static_cast<char>(stored[2]);
  if (stored[3] != '0') text += static_cast<char>(stored[3]);
  // Like every text, it ends at its first zero byte.
  return text.substr(0, text.find('\0'));
}

std::string DateTime(std::string_view text) {
  std::string date(text.substr(0, text.find('\0')));
  if (date.size() > 4) date[4] = '/';
  if (date.size() > 7) date[7] = '/';
  return date;
}

std::string Integer(std::int32_t value) { return std::to_string(value); }

}  // namespace exif_text
