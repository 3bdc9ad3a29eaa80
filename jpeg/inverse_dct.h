#pragma once
// The decoder's inverse DCT: the direct 64-term double sum for each sample.
#include <cstdint>

// Entry [u][x] = cos(((2x + 1) * u) * 0.196349540625); the constant stands for pi/16.
struct CosineTable {
  double c[8][8];
};

CosineTable MakeCosineTable();

// The scale factor of frequency 0.
extern const double kF0;

// Coefficients in natural order (v * 8 + u) to samples (y * 8 + x):
// sum of F * cos[u][x] * cos[v][y] * S(u) * S(v), multiplied in that order and
// summed over v then u; sample = 0.25 * sum + level shift (128 for 8-bit
// precision, else 2048), truncated toward zero and not clamped. Zero
// coefficients add exactly 0.0 and are skipped.
void InverseDct(const CosineTable& cosine, const std::int32_t* coefficients, std::int32_t* samples,
                std::int32_t precision);
