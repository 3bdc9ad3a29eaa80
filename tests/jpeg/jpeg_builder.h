#pragma once
// Builds small baseline JPEG streams segment by segment and bit by bit, so
// that decoder tests control every coefficient and every byte.
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace jpegtest {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}

// FF marker, length word (payload + 2), payload.
inline void Segment(Bytes& out, int marker, const Bytes& payload) {
  std::size_t length = payload.size() + 2;
  Append(out, {0xFF, marker, int(length >> 8), int(length & 255)});
  out.insert(out.end(), payload.begin(), payload.end());
}

inline Bytes DqtPayload(int pqtq, int value) {
  Bytes p = {static_cast<std::uint8_t>(pqtq)};
  for (int k = 0; k < 64; ++k) {
    if (pqtq >> 4) p.push_back(static_cast<std::uint8_t>(value >> 8));
    p.push_back(static_cast<std::uint8_t>(value));
  }
  return p;
}

struct Component {
  int id, h, v, tq;
};

inline Bytes Sof0Payload(int width, int height, std::initializer_list<Component> components) {
  Bytes p;
  Append(p, {8, height >> 8, height & 255, width >> 8, width & 255, int(components.size())});
  for (const Component& c : components) Append(p, {c.id, (c.h << 4) | c.v, c.tq});
  return p;
}

// A Huffman table whose codes all have one length: code i is value i.
struct FlatTable {
  int length;
  Bytes values;
};

// DC table: 4-bit codes, code s for magnitude category s (0 to 11).
inline FlatTable DcTable() {
  FlatTable t{4, {}};
  for (int s = 0; s < 12; ++s) t.values.push_back(static_cast<std::uint8_t>(s));
  return t;
}

// AC table: 8-bit codes, code rs for every RS byte except 0xFF.
inline FlatTable AcTable() {
  FlatTable t{8, {}};
  for (int rs = 0; rs < 255; ++rs) t.values.push_back(static_cast<std::uint8_t>(rs));
  return t;
}

inline Bytes DhtTablePayload(int tcth, const FlatTable& t) {
  Bytes p = {static_cast<std::uint8_t>(tcth)};
  for (int length = 1; length <= 16; ++length)
    p.push_back(length == t.length ? static_cast<std::uint8_t>(t.values.size()) : 0);
  p.insert(p.end(), t.values.begin(), t.values.end());
  return p;
}

struct ScanComponent {
  int cs, td, ta;
};

inline Bytes SosPayload(std::initializer_list<ScanComponent> components) {
  Bytes p = {static_cast<std::uint8_t>(components.size())};
  for (const ScanComponent& c : components) Append(p, {c.cs, (c.td << 4) | c.ta});
  Append(p, {0, 63, 0});
  return p;
}

// Entropy-coded data: bits most significant first, 0xFF followed by a stuffed
// 0x00, 1-bits to pad a byte before a marker.
class BitWriter {
 public:
  void Put(std::uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      acc_ = (acc_ << 1) | ((bits >> i) & 1);
      if (++n_ == 8) EmitByte();
    }
  }
  void Pad() {
    while (n_ != 0) Put(1, 1);
  }
  void Marker(int code) {
    Pad();
    Append(out_, {0xFF, code});
  }
  // Magnitude category and the bits of a value (negative values as value - 1).
  void Magnitude(int value, int& size, std::uint32_t& bits) {
    int a = std::abs(value);
    size = 0;
    while (a >> size) ++size;
    bits = static_cast<std::uint32_t>(value < 0 ? value - 1 : value) & ((1u << size) - 1);
  }
  // One block with the flat test tables: a DC difference, then (run, value)
  // pairs in zig-zag order, then end-of-block unless the block is full.
  void Block(int dcDiff, std::initializer_list<std::pair<int, int>> ac = {}, bool eob = true) {
    int size;
    std::uint32_t bits;
    Magnitude(dcDiff, size, bits);
    Put(static_cast<std::uint32_t>(size), 4);
    Put(bits, size);
    for (auto [run, value] : ac) {
      Magnitude(value, size, bits);
      Put(static_cast<std::uint32_t>((run << 4) | size), 8);
      Put(bits, size);
    }
    if (eob) Put(0x00, 8);
  }
  Bytes Finish() {
    Pad();
    return out_;
  }

 private:
  void EmitByte() {
    out_.push_back(static_cast<std::uint8_t>(acc_));
    if (acc_ == 0xFF) out_.push_back(0);
    acc_ = 0;
    n_ = 0;
  }
  Bytes out_;
  std::uint32_t acc_ = 0;
  int n_ = 0;
};

// SOI, DQT (table 0 all ones), the frame, DC and AC tables 0 (flat), a DRI when
// restartInterval is not 0, SOS pairing component i with tables 0, the
// entropy-coded data and EOI.
inline Bytes Stream(int width, int height, std::initializer_list<Component> frame,
                    const Bytes& entropy, int restartInterval = 0) {
  Bytes out;
  Append(out, {0xFF, 0xD8});
  Segment(out, 0xDB, DqtPayload(0x00, 1));
  Segment(out, 0xC0, Sof0Payload(width, height, frame));
  Segment(out, 0xC4, DhtTablePayload(0x00, DcTable()));
  Segment(out, 0xC4, DhtTablePayload(0x10, AcTable()));
  if (restartInterval) Segment(out, 0xDD, {0, static_cast<std::uint8_t>(restartInterval)});
  Bytes sos = {static_cast<std::uint8_t>(frame.size())};
  for (const Component& c : frame) Append(sos, {c.id, 0x00});
  Append(sos, {0, 63, 0});
  Segment(out, 0xDA, sos);
  out.insert(out.end(), entropy.begin(), entropy.end());
  Append(out, {0xFF, 0xD9});
  return out;
}

inline Bytes GreyStream(int width, int height, const Bytes& entropy, int restartInterval = 0) {
  return Stream(width, height, {{1, 1, 1, 0}}, entropy, restartInterval);
}

}  // namespace jpegtest
