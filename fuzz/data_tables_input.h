#pragma once
// The data_tables target's input: the photo count and the data files it loads,
// packed into one byte string (see data_tables.cpp for the layout).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/data_tables.h"
#include "platform/text_file.h"

namespace fuzz {

inline constexpr std::string_view kFileSeparator = "\xFF\xFF\xFF\xFF";
inline constexpr std::array<const char*, 4> kDataFiles = {paths::kSubjectFile, paths::kTitleFile,
                                                          paths::kMemoFile, paths::kColourFile};

struct DataFilesInput {
  int photoCount = 0;
  std::array<std::optional<std::string>, 4> files;  // in the order of kDataFiles

  platform::Result<platform::TextFileReader> Open(const char* path) const {
    for (std::size_t i = 0; i < kDataFiles.size(); ++i) {
      if (std::string_view(path) == kDataFiles[i] && files[i])
        return platform::TextFileReader::FromBytes(*files[i]);
    }
    return platform::Fail(path);
  }
};

inline DataFilesInput SplitDataFilesInput(const std::uint8_t* data, std::size_t size) {
  DataFilesInput input;
  if (size < 3) return input;
  input.photoCount = (data[0] | (data[1] << 8)) & 0x3FF;
  const unsigned present = data[2];
  std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  for (std::size_t i = 0; i < kDataFiles.size(); ++i) {
    if (!(present & (1u << i))) continue;
    std::size_t end = rest.find(kFileSeparator);
    input.files[i] = std::string(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 4);
  }
  return input;
}

inline std::string JoinDataFilesInput(const DataFilesInput& input) {
  std::string out;
  out += static_cast<char>(input.photoCount & 0xFF);
  out += static_cast<char>((input.photoCount >> 8) & 0x3);
  unsigned present = 0;
  for (std::size_t i = 0; i < kDataFiles.size(); ++i)
    if (input.files[i]) present |= 1u << i;
  out += static_cast<char>(present);
  bool first = true;
  for (const auto& file : input.files) {
    if (!file) continue;
    if (!first) out += kFileSeparator;
    out += *file;
    first = false;
  }
  return out;
}

}  // namespace fuzz
