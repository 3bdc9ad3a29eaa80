#pragma once
// The value texts of one photo's information page, and the state of the
// information step that outlives a photo.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kInfoItems = 42;        // items 1 to 42; item 42 carries no value text
inline constexpr int kValueItems = 41;       // items 1 to 41 have a value text
inline constexpr int kCustomFunctions = 13;  // custom functions 1 to 13
inline constexpr std::size_t kItemCapacity = 199;
inline constexpr std::size_t kCustomValueCapacity = 99;
inline constexpr std::size_t kMakerCapacity = 31;

// A text as C reads it: up to the first zero byte, cut to capacity bytes.
std::string CText(std::string_view bytes, std::size_t capacity);
std::string CText(std::span<const std::uint8_t> bytes, std::size_t capacity);

class InfoValueTexts {
 public:
  // n is 1 to 41.
  const std::string& item(int n) const { return items_.at(static_cast<std::size_t>(n)); }
  void SetItem(int n, std::string_view text) {
    items_.at(static_cast<std::size_t>(n)) = CText(text, kItemCapacity);
  }
  // k is 1 to 13.
  const std::string& customValue(int k) const { return custom_.at(static_cast<std::size_t>(k)); }
  void SetCustomValue(int k, std::string_view text) {
    custom_.at(static_cast<std::size_t>(k)) = CText(text, kCustomValueCapacity);
  }

 private:
  std::array<std::string, kValueItems + 1> items_;        // entry 0 unused
  std::array<std::string, kCustomFunctions + 1> custom_;  // entry 0 unused
};

// What the information step remembers from photo to photo and from run to run,
// as long as the program lives.
struct ShootingInfoMemory {
  // The maker of the latest photo with a Make tag; the Canon items depend on it.
  std::string maker = "Canon";
  // Custom-function header k is shown once any photo had function k.
  std::array<bool, kCustomFunctions + 1> headerSet{};  // entry 0 unused

  bool IsCanon() const { return maker == "Canon"; }
};
