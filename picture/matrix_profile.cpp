#include "picture/matrix_profile.h"

#include <array>
#include <cmath>
#include <string>

namespace {

using Vec = std::array<double, 3>;
using Mat = std::array<Vec, 3>;

Vec Mul(const Mat& m, const Vec& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Mat Mul(const Mat& a, const Mat& b) {
  Mat m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}

bool Invert(const Mat& m, Mat& out) {
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  if (std::fabs(det) < 1e-12) return false;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
      out[i][j] = (m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0]) / det;
    }
  return true;
}

bool Xyz(const Chromaticity& c, Vec& out) {
  if (c.y <= 0) return false;
  out = {c.x / c.y, 1.0, (1 - c.x - c.y) / c.y};
  return true;
}

constexpr Vec kD50 = {0.9642, 1.0, 0.8249};
constexpr Mat kBradford = {
    {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};

class Writer {
 public:
  void U8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v >> 8);
    U8(v);
  }
  void U32(std::uint32_t v) {
    U16(v >> 16);
    U16(v & 0xFFFF);
  }
  void Sig(const char (&s)[5]) {
    for (int i = 0; i < 4; ++i) U8(static_cast<std::uint8_t>(s[i]));
  }
  void Fixed(double v) {
    U32(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(v * 65536))));
  }
  void Align() {
    while (bytes.size() % 4) U8(0);
  }
  std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> XyzTag(const Vec& v) {
  Writer w;
  w.Sig("XYZ ");
  w.U32(0);
  for (double c : v) w.Fixed(c);
  return w.bytes;
}

std::vector<std::uint8_t> TextDescription(const std::string& text) {
  Writer w;
  w.Sig("desc");
  w.U32(0);
  w.U32(static_cast<std::uint32_t>(text.size() + 1));
  for (char c : text) w.U8(static_cast<std::uint8_t>(c));
  w.U8(0);
  w.U32(0);  // no Unicode description
  w.U32(0);
  w.U16(0);  // no ScriptCode description
  w.U8(0);
  for (int i = 0; i < 67; ++i) w.U8(0);
  return w.bytes;
}

std::vector<std::uint8_t> Text(const std::string& text) {
  Writer w;
  w.Sig("text");
  w.U32(0);
  for (char c : text) w.U8(static_cast<std::uint8_t>(c));
  w.U8(0);
  return w.bytes;
}

// The sRGB tone curve as a table.
std::vector<std::uint8_t> SrgbCurve() {
  constexpr int kEntries = 1024;
  Writer w;
  w.Sig("curv");
  w.U32(0);
  w.U32(kEntries);
  for (int i = 0; i < kEntries; ++i) {
    const double v = i / double(kEntries - 1);
    const double linear = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    w.U16(static_cast<std::uint32_t>(std::lround(linear * 65535)));
  }
  return w.bytes;
}

}  // namespace

std::vector<std::uint8_t> MatrixProfile(const Primaries& p) {
  Vec r, g, b, white;
  if (!Xyz(p.red, r) || !Xyz(p.green, g) || !Xyz(p.blue, b) || !Xyz(p.white, white)) return {};
  const Mat primaries = {{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
  Mat inverse, bradfordInverse;
  if (!Invert(primaries, inverse) || !Invert(kBradford, bradfordInverse)) return {};
  const Vec scale = Mul(inverse, white);
  // Bradford adaptation from the picture's white to D50.
  const Vec cone = Mul(kBradford, white), coneD50 = Mul(kBradford, kD50);
  Mat gain{};
  for (int i = 0; i < 3; ++i) gain[i][i] = coneD50[i] / cone[i];
  const Mat adapt = Mul(bradfordInverse, Mul(gain, kBradford));
  Vec colorant[3];
  for (int c = 0; c < 3; ++c) {
    const Vec xyz = {primaries[0][c] * scale[c], primaries[1][c] * scale[c],
                     primaries[2][c] * scale[c]};
    colorant[c] = Mul(adapt, xyz);
  }

  struct Tag {
    const char* sig;
    std::vector<std::uint8_t> data;
  };
  const std::vector<std::uint8_t> curve = SrgbCurve();
  const Tag tags[] = {
      {"desc", TextDescription("RGB from nclx primaries, sRGB curve")},
      {"cprt", Text("No copyright, use freely")},
      {"wtpt", XyzTag(kD50)},
      {"rXYZ", XyzTag(colorant[0])},
      {"gXYZ", XyzTag(colorant[1])},
      {"bXYZ", XyzTag(colorant[2])},
      {"rTRC", curve},
      {"gTRC", curve},
      {"bTRC", curve},
  };
  constexpr std::uint32_t kTags = sizeof(tags) / sizeof(tags[0]);

  // The tag data after the header and the tag table; the three curves share one copy.
  Writer data;
  std::uint32_t offsets[kTags], sizes[kTags];
  const std::uint32_t start = 128 + 4 + 12 * kTags;
  for (std::uint32_t i = 0; i < kTags; ++i) {
    if (i > 6) {
      offsets[i] = offsets[6];
      sizes[i] = sizes[6];
      continue;
    }
    data.Align();
    offsets[i] = start + static_cast<std::uint32_t>(data.bytes.size());
    sizes[i] = static_cast<std::uint32_t>(tags[i].data.size());
    data.bytes.insert(data.bytes.end(), tags[i].data.begin(), tags[i].data.end());
  }
  data.Align();

  Writer w;
  w.U32(start + static_cast<std::uint32_t>(data.bytes.size()));
  w.U32(0);           // no preferred CMM
  w.U32(0x02100000);  // version 2.1
  w.Sig("mntr");
  w.Sig("RGB ");
  w.Sig("XYZ ");
  for (int i = 0; i < 6; ++i) w.U16(0);  // no date: the same picture gives the same bytes
  w.Sig("acsp");
  for (int i = 0; i < 5; ++i) w.U32(0);  // platform, flags, manufacturer, model, attributes
  w.U32(0);
  w.U32(0);  // perceptual
  for (double c : kD50) w.Fixed(c);
  w.U32(0);  // creator
  while (w.bytes.size() < 128) w.U8(0);
  w.U32(kTags);
  for (std::uint32_t i = 0; i < kTags; ++i) {
    for (int k = 0; k < 4; ++k) w.U8(static_cast<std::uint8_t>(tags[i].sig[k]));
    w.U32(offsets[i]);
    w.U32(sizes[i]);
  }
  w.bytes.insert(w.bytes.end(), data.bytes.begin(), data.bytes.end());
  return w.bytes;
}
