#pragma once
// The head of a photo: the only bytes of it the Exif steps may see, its first
// 65,536. They are read lazily: the first 4 KiB when the photo is loaded,
// then on to the end of a 16 KiB block only when a read reaches beyond what is
// read so far. Every answer is the one reading all 65,536 bytes at once would give: a
// range is missing only when it runs past the end of the file or of those
// 65,536 bytes. This is the one gate every read of a photo's bytes passes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/raw_file.h"

namespace exif {
inline constexpr std::size_t kReadBufferSize = 65536;
inline constexpr std::size_t kReadBlockSize = 16384;
// The first read: enough for the Exif block's directories and the shooting
// date of nearly every camera photo; a thumbnail or a maker's note reads on.
inline constexpr std::size_t kFirstReadSize = 4096;
}  // namespace exif

class PhotoHead {
 public:
  // Opens the photo and reads its first block. False only when it cannot be
  // opened (or read); the previous photo's bytes are gone either way.
  bool Load(const std::string& path);
  // Takes the bytes as if read from a file (only the first 65,536 count).
  void LoadBytes(const std::uint8_t* data, std::size_t size);

  // The bytes [pos, pos + length), reading more of the photo when they lie
  // beyond what is read so far; nothing when any of them lies outside the
  // photo's head. An empty range lies inside when it starts at or before the
  // head's end.
  std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t pos, std::uint64_t length) const;
  std::optional<std::uint8_t> U8(std::uint64_t pos) const;

  // The whole head (reads the rest of it).
  std::span<const std::uint8_t> All() const;
  // How many bytes of the photo were read so far.
  std::size_t BytesRead() const { return read_; }

 private:
  // Whether the first end bytes of the head are read, reading whole blocks
  // up to the block holding byte end - 1 when they are not yet.
  bool Reach(std::uint64_t end) const;
  // Reads on to the end of the block holding byte end - 1, or until the file
  // ends; the file is closed once nothing more will be read. False when a read
  // fails: the head then ends with the bytes read before.
  bool ReadBlocks(std::uint64_t end) const;
  void Reset();

  // Allocated once and reused photo after photo; only the bytes read so far
  // are readable (sanitizer builds report any other).
  std::unique_ptr<std::uint8_t[]> buffer_;
  // Reading more changes what is cached, never what the head holds.
  mutable std::size_t read_ = 0;
  mutable std::optional<platform::RawReader> file_;  // open while more may follow
};
