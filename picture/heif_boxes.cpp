#include "picture/heif_boxes.h"

#include <optional>
#include <vector>

namespace {

constexpr std::uint32_t Type(const char (&name)[5]) {
  return (std::uint32_t{static_cast<std::uint8_t>(name[0])} << 24) |
         (std::uint32_t{static_cast<std::uint8_t>(name[1])} << 16) |
         (std::uint32_t{static_cast<std::uint8_t>(name[2])} << 8) |
         std::uint32_t{static_cast<std::uint8_t>(name[3])};
}

// Big-endian reads that give nothing outside the bytes.
struct Bytes {
  std::span<const std::uint8_t> data;
  std::optional<std::uint64_t> Get(std::size_t pos, int size) const {
    if (pos > data.size() || static_cast<std::size_t>(size) > data.size() - pos) return {};
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | data[pos + static_cast<std::size_t>(i)];
    return v;
  }
};

struct Box {
  std::uint32_t type = 0;
  std::span<const std::uint8_t> body;
};

// The boxes one after another inside the bytes.
std::vector<Box> Children(std::span<const std::uint8_t> data) {
  std::vector<Box> boxes;
  const Bytes b{data};
  std::size_t pos = 0;
  while (auto size32 = b.Get(pos, 4)) {
    auto type = b.Get(pos + 4, 4);
    if (!type) break;
    std::uint64_t size = *size32, header = 8;
    if (size == 1) {
      auto large = b.Get(pos + 8, 8);
      if (!large) break;
      size = *large;
      header = 16;
    } else if (size == 0) {
      size = data.size() - pos;  // to the end
    }
    if (size < header || size > data.size() - pos) break;
    boxes.push_back({static_cast<std::uint32_t>(*type),
                     data.subspan(pos + header, static_cast<std::size_t>(size - header))});
    pos += static_cast<std::size_t>(size);
  }
  return boxes;
}

const Box* Find(const std::vector<Box>& boxes, std::uint32_t type) {
  for (const Box& box : boxes)
    if (box.type == type) return &box;
  return nullptr;
}

// A full box's body after its version and flags.
std::span<const std::uint8_t> AfterVersion(std::span<const std::uint8_t> body) {
  return body.size() < 4 ? std::span<const std::uint8_t>() : body.subspan(4);
}

}  // namespace

bool PrimaryImageTransformed(std::span<const std::uint8_t> file) {
  const std::vector<Box> top = Children(file);
  const Box* meta = Find(top, Type("meta"));
  if (!meta) return false;
  const std::vector<Box> inMeta = Children(AfterVersion(meta->body));
  const Box* pitm = Find(inMeta, Type("pitm"));
  const Box* iprp = Find(inMeta, Type("iprp"));
  if (!pitm || !iprp) return false;
  const Bytes pitmBytes{pitm->body};
  auto pitmVersion = pitmBytes.Get(0, 1);
  if (!pitmVersion) return false;
  auto primary = pitmBytes.Get(4, *pitmVersion == 0 ? 2 : 4);
  if (!primary) return false;

  const std::vector<Box> inIprp = Children(iprp->body);
  const Box* ipco = Find(inIprp, Type("ipco"));
  if (!ipco) return false;
  const std::vector<Box> properties = Children(ipco->body);
  // Every ipma box counts: its entries for the primary item name properties by index from 1.
  for (const Box& ipma : inIprp) {
    if (ipma.type != Type("ipma")) continue;
    const Bytes b{ipma.body};
    auto version = b.Get(0, 1), flags = b.Get(1, 3), entries = b.Get(4, 4);
    if (!version || !flags || !entries) continue;
    const int idSize = *version < 1 ? 2 : 4, indexSize = (*flags & 1) ? 2 : 1;
    std::size_t pos = 8;
    for (std::uint64_t e = 0; e < *entries; ++e) {
      auto item = b.Get(pos, idSize), count = b.Get(pos + static_cast<std::size_t>(idSize), 1);
      if (!item || !count) break;
      pos += static_cast<std::size_t>(idSize) + 1;
      for (std::uint64_t a = 0; a < *count; ++a, pos += static_cast<std::size_t>(indexSize)) {
        auto association = b.Get(pos, indexSize);
        if (!association) return false;
        if (*item != *primary) continue;
        const std::uint64_t index = *association & (indexSize == 2 ? 0x7FFF : 0x7F);
        if (index == 0 || index > properties.size()) continue;
        const std::uint32_t type = properties[static_cast<std::size_t>(index - 1)].type;
        if (type == Type("irot") || type == Type("imir")) return true;
      }
    }
  }
  return false;
}
