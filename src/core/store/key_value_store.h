// The per-user key the settings live in, seen as text values with case-insensitive names, and the
// small routines every reader and writer goes through.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillo {

// A write that failed once the key was open, or a value that is not text.
struct StoreError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One key of text values. Each call opens and closes the key: nothing is held between calls.
class KeyValueStore {
 public:
  virtual ~KeyValueStore() = default;
  // The value's text; nullopt when the key cannot be opened or the value is absent. Throws
  // StoreError for a value that is not text.
  virtual std::optional<std::string> Read(std::string_view name) = 0;
  // Writes text, creating the key when missing. A key that cannot be opened is silently skipped;
  // a failure once it is open throws StoreError.
  virtual void Write(std::string_view name, std::string_view value) = 0;
};

// Case-insensitive ordering of value names (ASCII letters, as the registry folds them).
struct NameLess {
  bool operator()(std::string_view a, std::string_view b) const;
  using is_transparent = void;
};

// An in-memory key: names are matched without regard to case and keep the spelling of the first
// writer, as the registry does. Writes to names in `failingWrites` throw, to exercise the saves.
class MemoryStore : public KeyValueStore {
 public:
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;

  std::map<std::string, std::string, NameLess> values;
  std::set<std::string, NameLess> failingWrites;
  std::set<std::string, NameLess> nonText;  // values that read as a non-text type
  int writeCount = 0;
};

std::string ReadStr(KeyValueStore& store, std::string_view name, std::string_view def);
// Decimal integer; the default when absent, unreadable or not an integer.
int32_t ReadInt(KeyValueStore& store, std::string_view name, int32_t def);
void WriteStr(KeyValueStore& store, std::string_view name, std::string_view value);
void WriteInt(KeyValueStore& store, std::string_view name, int64_t value);
constexpr int32_t BoolToInt(bool b) {
  return b ? -1 : 0;
}

// Colours are stored as RRGGBB; in memory they are 0x00BBGGRR.
// nullopt for an empty or non-hexadecimal pair; characters after the sixth are ignored and a
// pair cut short by the end of the text is read from what is there.
std::optional<uint32_t> HexToColor(std::string_view sColor);
std::string ColorToHex(uint32_t color);

}  // namespace quillo
