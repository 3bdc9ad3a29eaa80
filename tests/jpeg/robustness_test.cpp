// Damaged input never makes the decoder read or write outside its buffers (run
// these under -DVORNAMI_SANITIZE=ON): every prefix of a real thumbnail and
// thousands of seeded random byte changes end in 0, -1 or -2, and a success
// always comes with whole planes.
#include <gtest/gtest.h>

#include <random>

#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/reference_files.h"
#include "tests/support/temp_gallery.h"

namespace {

using namespace jpegtest;

bool IsResultCode(std::int32_t r) { return r == 0 || r == -1 || r == -2; }

// Decodes and, on success, reads every pixel of the planes.
void DecodeChecked(const ByteVector& bytes, const std::string& what) {
  Decoded d = DecodeJpeg(bytes);
  ASSERT_TRUE(IsResultCode(d.load)) << what << ": load " << d.load;
  if (d.load != 0) return;
  ASSERT_TRUE(IsResultCode(d.decode)) << what << ": decode " << d.decode;
  if (d.decode != 0) {
    ASSERT_FALSE(d.red || d.green || d.blue) << what;
    return;
  }
  ASSERT_TRUE(d.red && d.green && d.blue) << what;
  ASSERT_GT(d.width, 0) << what;
  ASSERT_GT(d.height, 0) << what;
  unsigned sum = 0;
  for (std::size_t i = 0; i < std::size_t(d.width) * std::size_t(d.height); ++i)
    sum += d.red[i] + d.green[i] + d.blue[i];
  (void)sum;
}

// Pictures to damage: committed fixtures, and a real thumbnail when the samples are there.
std::vector<std::pair<std::string, ByteVector>> Pictures() {
  std::vector<std::pair<std::string, ByteVector>> pictures = {
      {"s420_restart1_50x34.jpg", Fixture("s420_restart1_50x34.jpg")},
      {"grey_restart1_20x12.jpg", Fixture("grey_restart1_20x12.jpg")},
  };
  for (auto& t : SampleThumbnails()) {
    if (t.jpeg.size() < 1500) {
      pictures.push_back({t.photo, std::move(t.jpeg)});
      break;
    }
  }
  return pictures;
}

TEST(Robustness, EveryPrefixOfAThumbnail) {
  for (const auto& [name, jpeg] : Pictures()) {
    for (std::size_t n = 0; n <= jpeg.size(); ++n) {
      // A copy of exactly n bytes, so that reading beyond it is caught.
      ByteVector prefix(jpeg.begin(), jpeg.begin() + n);
      prefix.shrink_to_fit();
      DecodeChecked(prefix, name + " prefix " + std::to_string(n));
      if (HasFatalFailure()) return;
    }
  }
}

TEST(Robustness, CompleteFixturesDecodeAndTheirPrefixesDoNot) {
  ByteVector jpeg = Fixture("s420_restart1_50x34.jpg");
  EXPECT_TRUE(DecodeJpeg(jpeg).ok());
  // Without its last MCU's data nothing decodes: the planes never hold a half picture.
  ByteVector cut(jpeg.begin(), jpeg.end() - 40);
  Decoded d = DecodeJpeg(cut);
  EXPECT_EQ(d.load, 0);
  EXPECT_NE(d.decode, 0);
}

TEST(Robustness, SeededRandomByteChanges) {
  std::mt19937 rng(20030803);
  for (const auto& [name, jpeg] : Pictures()) {
    std::uniform_int_distribution<std::size_t> position(0, jpeg.size() - 1);
    std::uniform_int_distribution<int> count(1, 4), byte(0, 255), bit(0, 7), kind(0, 2);
    for (int round = 0; round < 1200; ++round) {
      ByteVector damaged = jpeg;
      for (int n = count(rng); n > 0; --n) {
        std::size_t at = position(rng);
        switch (kind(rng)) {
          case 0:
            damaged[at] = static_cast<std::uint8_t>(byte(rng));
            break;
          case 1:
            damaged[at] ^= static_cast<std::uint8_t>(1 << bit(rng));
            break;
          default:
            damaged[at] = 0xFF;  // markers where none belong
            break;
        }
      }
      DecodeChecked(damaged, name + " round " + std::to_string(round));
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
