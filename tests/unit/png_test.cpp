// The PNG writer, read back by zlib: the chunks' CRCs, the header, and every pixel of pictures
// that use both kinds of match (the pixel before, the row above) and plain literals.
#include "core/util/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace quillo {
namespace {

uint32_t Be32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

struct Decoded {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// A strict reader of what the writer makes: signature, IHDR, IDAT, IEND with correct CRCs.
Decoded Decode(const std::vector<uint8_t>& png) {
  Decoded d;
  const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(png.size() > 8 && std::equal(signature, signature + 8, png.begin()));
  std::vector<uint8_t> compressed;
  std::vector<std::string> chunks;
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t size = Be32(&png[at]);
    const std::string type(png.begin() + static_cast<long>(at) + 4,
                           png.begin() + static_cast<long>(at) + 8);
    chunks.push_back(type);
    const uint8_t* data = &png[at + 8];
    EXPECT_EQ(Be32(data + size),
              static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), &png[at + 4], size + 4)))
        << type;
    if (type == "IHDR") {
      d.width = static_cast<int>(Be32(data));
      d.height = static_cast<int>(Be32(data + 4));
      EXPECT_EQ(data[8], 8);
      EXPECT_EQ(data[9], 2);
    }
    if (type == "IDAT") compressed.insert(compressed.end(), data, data + size);
    at += 12 + size;
  }
  EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  const size_t rowBytes = 1 + static_cast<size_t>(d.width) * 3;
  std::vector<uint8_t> raw(rowBytes * static_cast<size_t>(d.height) + 1);
  uLongf rawSize = static_cast<uLongf>(raw.size());
  EXPECT_EQ(
      uncompress(raw.data(), &rawSize, compressed.data(), static_cast<uLong>(compressed.size())),
      Z_OK);
  EXPECT_EQ(rawSize, rowBytes * static_cast<size_t>(d.height));
  for (int y = 0; y < d.height; ++y) {
    const uint8_t* row = &raw[static_cast<size_t>(y) * rowBytes];
    EXPECT_EQ(row[0], 0);
    for (int x = 0; x < d.width; ++x) {
      const uint8_t* p = row + 1 + 3 * x;
      d.pixels.push_back((uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]);
    }
  }
  return d;
}

TEST(Png, CrcOfTheCheckString) {
  const std::string s = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(s.data()), s.size()), 0xCBF43926u);
}

TEST(Png, EveryPixelReadsBack) {
  struct Case {
    const char* name;
    int width, height;
    uint32_t (*pixel)(int x, int y);
  };
  const Case cases[] = {
      {"one pixel", 1, 1, [](int, int) { return 0x123456u; }},
      {"flat colour: long matches", 300, 40, [](int, int) { return 0xEBEDF0u; }},
      {"stripes: matches of the row above", 97, 30,
       [](int x, int) { return x % 7 < 3 ? 0x08519Cu : 0xFFFFFFu; }},
      {"noise: literals", 61, 17,
       [](int x, int y) {
         return static_cast<uint32_t>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
       }},
      {"a chart: blocks and lines", 640, 200,
       [](int x, int y) {
         if (y % 50 == 0) return 0x808080u;
         return ((x / 40) + (y / 25)) % 3 == 0 ? 0x3182BDu : 0xFFFFFFu;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) pixels.push_back(c.pixel(x, y));
    const std::vector<uint8_t> png = EncodePng(c.width, c.height, pixels.data());
    const Decoded d = Decode(png);
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height);
    EXPECT_EQ(d.pixels, pixels);
  }
}

TEST(Png, FlatPicturesStaySmall) {
  const std::vector<uint32_t> pixels(1000 * 600, 0xFFFFFF);
  EXPECT_LT(EncodePng(1000, 600, pixels.data()).size(), 1000u * 600 * 3 / 50);
}

}  // namespace
}  // namespace quillo
