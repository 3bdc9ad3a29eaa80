#pragma once
// Test-side access to the Exif thumbnails embedded in real camera photos: the
// bytes named by IFD1's JPEGInterchangeFormat (0x0201) and its length (0x0202).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using ByteVector = std::vector<std::uint8_t>;

// The embedded thumbnail, or nothing when the photo has none wholly inside its bytes.
std::optional<ByteVector> EmbeddedThumbnail(const ByteVector& photo);

struct SampleThumbnail {
  std::string photo;  // file name in the samples folder
  ByteVector jpeg;
};

// Every photo of the samples folder that carries a thumbnail, in name order;
// empty when the folder is absent.
std::vector<SampleThumbnail> SampleThumbnails();

ByteVector ReadBinaryFile(const std::string& path);
