// The build without libheif: no HEIF photo opens.
#include "picture/heif_photo.h"

struct HeifPhoto::Codec {};

bool HeifSupported() { return false; }

HeifPhoto::HeifPhoto() = default;
HeifPhoto::~HeifPhoto() = default;

bool HeifPhoto::Open(std::span<const std::uint8_t>) { return false; }

std::optional<EncodedPicture> HeifPhoto::ToJpeg(int) { return std::nullopt; }
