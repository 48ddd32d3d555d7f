// A PNG writer without a compression library: deflate with the fixed Huffman codes, greedy matches
// at the distance of one pixel and of one row.
#include "core/util/png.h"

#include <algorithm>
#include <array>

namespace quillo {
namespace {

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  // `count` bits of `value`, least significant first (deflate's order for extra bits).
  void Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  // A Huffman code, most significant bit first.
  void Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  void Flush() {
    if (used_) out_.push_back(byte_);
    byte_ = 0;
    used_ = 0;
  }

 private:
  void Bit(uint32_t b) {
    byte_ |= static_cast<uint8_t>(b << used_);
    if (++used_ == 8) Flush();
  }
  std::vector<uint8_t>& out_;
  uint8_t byte_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of deflate.
void Literal(BitWriter& w, int symbol) {
  if (symbol < 144)
    w.Code(0x30 + symbol, 8);
  else if (symbol < 256)
    w.Code(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    w.Code(symbol - 256, 7);
  else
    w.Code(0xC0 + symbol - 280, 8);
}

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};

void Match(BitWriter& w, int length, int distance) {
  int l = 28;
  while (kLengthBase[static_cast<size_t>(l)] > length) --l;
  Literal(w, 257 + l);
  w.Bits(static_cast<uint32_t>(length - kLengthBase[static_cast<size_t>(l)]),
         kLengthExtra[static_cast<size_t>(l)]);
  int d = 29;
  while (kDistBase[static_cast<size_t>(d)] > distance) --d;
  w.Code(static_cast<uint32_t>(d), 5);
  const int extra = d < 4 ? 0 : d / 2 - 1;
  w.Bits(static_cast<uint32_t>(distance - kDistBase[static_cast<size_t>(d)]), extra);
}

// A zlib stream of one fixed-code block.
std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, int rowBytes) {
  std::vector<uint8_t> out = {0x78, 0x01};
  BitWriter w(out);
  w.Bits(1, 1);  // the last block
  w.Bits(1, 2);  // fixed codes
  const size_t n = data.size();
  size_t i = 0;
  while (i < n) {
    int bestLength = 0, bestDistance = 0;
    for (int distance : {3, rowBytes}) {
      if (distance <= 0 || distance > 32768 || static_cast<size_t>(distance) > i) continue;
      int length = 0;
      while (length < 258 && i + static_cast<size_t>(length) < n &&
             data[i + static_cast<size_t>(length)] ==
                 data[i + static_cast<size_t>(length) - static_cast<size_t>(distance)])
        ++length;
      if (length > bestLength) {
        bestLength = length;
        bestDistance = distance;
      }
    }
    if (bestLength >= 3) {
      Match(w, bestLength, bestDistance);
      i += static_cast<size_t>(bestLength);
    } else {
      Literal(w, data[i]);
      ++i;
    }
  }
  Literal(w, 256);
  w.Flush();
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  const uint32_t adler = (b << 16) | a;
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<uint8_t>(adler >> shift));
  return out;
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t size = static_cast<uint32_t>(data.size());
  for (int shift : {24, 16, 8, 0}) png.push_back(static_cast<uint8_t>(size >> shift));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  const uint32_t crc = Crc32(png.data() + start, png.size() - start);
  for (int shift : {24, 16, 8, 0}) png.push_back(static_cast<uint8_t>(crc >> shift));
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
  static const std::array<uint32_t, 256> kTable = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const int rowBytes = 1 + width * 3;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(rowBytes) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      const uint32_t p =
          pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
    }
  }
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  for (uint32_t v : {static_cast<uint32_t>(width), static_cast<uint32_t>(height)})
    for (int shift : {24, 16, 8, 0}) header.push_back(static_cast<uint8_t>(v >> shift));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Deflate(raw, rowBytes));
  Chunk(png, "IEND", {});
  return png;
}

}  // namespace quillo
