// Text-value access shared by every setting, and the in-memory key the tests use.
#include "core/store/key_value_store.h"

#include <algorithm>
#include <cstdio>

#include "core/util/numbers.h"

namespace quillo {
namespace {
char Fold(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Fold(x) < Fold(y); });
}

std::optional<std::string> MemoryStore::Read(std::string_view name) {
  if (nonText.count(name)) throw StoreError("The value " + std::string(name) + " is not text");
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

void MemoryStore::Write(std::string_view name, std::string_view value) {
  if (failingWrites.count(name)) throw StoreError("Failed to write " + std::string(name));
  ++writeCount;
  const auto it = values.find(name);
  if (it == values.end())
    values.emplace(std::string(name), std::string(value));
  else
    it->second = std::string(value);
}

std::string ReadStr(KeyValueStore& store, std::string_view name, std::string_view def) {
  auto v = store.Read(name);
  return v ? std::move(*v) : std::string(def);
}

int32_t ReadInt(KeyValueStore& store, std::string_view name, int32_t def) {
  try {
    const auto v = store.Read(name);
    if (!v) return def;
    return ParseInt(*v).value_or(def);
  } catch (const StoreError&) {
    return def;
  }
}

void WriteStr(KeyValueStore& store, std::string_view name, std::string_view value) {
  store.Write(name, value);
}

void WriteInt(KeyValueStore& store, std::string_view name, int64_t value) {
  store.Write(name, std::to_string(value));
}

std::optional<uint32_t> HexToColor(std::string_view sColor) {
  uint32_t result = 0;
  for (int pair = 0; pair < 3; ++pair) {
    const size_t at = static_cast<size_t>(pair) * 2;
    if (at >= sColor.size()) return std::nullopt;
    const std::string_view digits = sColor.substr(at, 2);
    uint32_t v = 0;
    for (char ch : digits) {
      const int d = HexDigit(ch);
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<uint32_t>(d);
    }
    result |= v << (8 * pair);
  }
  return result;
}

std::string ColorToHex(uint32_t color) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                (color >> 16) & 0xFF);
  return buf;
}

}  // namespace quillo
