#include "jpeg/inverse_dct.h"

#include <cmath>
#include <limits>

const double kF0 = 1 / 1.41421356;

CosineTable MakeCosineTable() {
  CosineTable t;
  for (int u = 0; u < 8; ++u)
    for (int x = 0; x < 8; ++x) t.c[u][x] = std::cos((2 * x + 1) * u * 0.196349540625);
  return t;
}

namespace {

// Truncation toward zero; a sum beyond the 32-bit range (only from corrupt
// coefficients) saturates instead of overflowing.
std::int32_t TruncateToInt32(double t) {
  if (!(t > -2147483649.0)) return std::numeric_limits<std::int32_t>::min();
  if (!(t < 2147483648.0)) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(t);
}

}  // namespace

void InverseDct(const CosineTable& cosine, const std::int32_t* coefficients, std::int32_t* samples,
                std::int32_t precision) {
  const double level = precision == 8 ? 128 : 2048;
  // The non-zero terms in summation order (v, then u).
  struct Term {
    int u, v;
    double f, su, sv;
  };
  Term terms[64];
  int count = 0;
  for (int v = 0; v < 8; ++v) {
    for (int u = 0; u < 8; ++u) {
      std::int32_t f = coefficients[v * 8 + u];
      if (f != 0) terms[count++] = {u, v, double(f), u == 0 ? kF0 : 1.0, v == 0 ? kF0 : 1.0};
    }
  }
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      double sum = 0.0;
      for (int i = 0; i < count; ++i) {
        const Term& t = terms[i];
        sum += t.f * cosine.c[t.u][x] * cosine.c[t.v][y] * t.su * t.sv;
      }
      samples[y * 8 + x] = TruncateToInt32(0.25 * sum + level);
    }
  }
}
