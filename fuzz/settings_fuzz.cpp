// The stored values as text, through every reader of the settings store: the number readers
// take exactly what their formats allow and nothing outside their ranges, the window's stored
// position is applied only where the window lands on a monitor, and a start-up over a store of
// such texts keeps each setting within its range.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/app/main_logic.h"
#include "core/store/key_value_store.h"
#include "core/store/settings_store.h"
#include "core/store/window_placement.h"
#include "core/util/datetime.h"
#include "core/util/numbers.h"
#include "fakes/platform.h"

namespace {

using namespace quillo;

// An integer text as the readers allow it (blanks around, a sign, digits), written the one way
// std::to_string writes it; empty for anything else.
std::string CanonicalInteger(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) negative = t[0] == '-', t.remove_prefix(1);
  if (t.empty() || t.find_first_not_of("0123456789") != std::string_view::npos) return {};
  while (t.size() > 1 && t[0] == '0') t.remove_prefix(1);
  if (t == "0") return "0";
  return (negative ? "-" : "") + std::string(t);
}

void CheckNumberReaders(std::string_view text) {
  if (const auto v = ParseInt(text)) {
    FUZZ_CHECK(std::to_string(*v) == CanonicalInteger(text));
  } else {
    // Refused: not an integer, or outside 32 bits.
    const std::string canonical = CanonicalInteger(text);
    const bool fits = !canonical.empty() && canonical.size() <= 11 &&
                      std::stoll(canonical) >= INT32_MIN && std::stoll(canonical) <= INT32_MAX;
    FUZZ_CHECK(!fits);
  }
  const auto f = ParseFloat(text);
  if (f) {
    FUZZ_CHECK(std::isfinite(*f));
    for (const char sep : {'.', ','}) {
      const auto again = ParseFloat(FloatToStr(*f, sep));
      FUZZ_CHECK(again && std::fabs(*again - *f) <= std::fabs(*f) * 1e-14);
    }
  }
  if (const auto counter = ParseCounter(text)) {
    FUZZ_CHECK(f.has_value());
    FUZZ_CHECK(*counter ==
               static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(std::trunc(*f)))));
  }
  if (const auto color = HexToColor(text)) {
    FUZZ_CHECK(*color <= 0xFFFFFF);
    FUZZ_CHECK(HexToColor(ColorToHex(*color)) == color);
  }
  if (const auto quad = ParseQuad(text)) FUZZ_CHECK(ParseQuad(FormatQuad(*quad)) == quad);

  MemoryStore store;
  store.values["Value"] = std::string(text);
  SaveGuard guard;
  StrictReader strict(store, guard);
  const uint32_t asUInt = strict.UInt("Value", "7");
  if (strict.errors().empty())
    FUZZ_CHECK(ParseInt(text) ? asUInt == static_cast<uint32_t>(*ParseInt(text))
                              : std::to_string(asUInt) == CanonicalInteger(text));
  else
    FUZZ_CHECK(asUInt == 7 && !guard.MayWrite("Value"));
}

// The stored position against a fixed pair of monitors, the second above and left of the first.
void CheckPlacement(const uint8_t* data, size_t size) {
  constexpr size_t kBytes = 4 * 4 * 2 + 4 * 2;
  if (size < kBytes) return;
  std::array<int32_t, 4> norm{}, screen{};
  int32_t width = 0, height = 0;
  std::memcpy(norm.data(), data, 16);
  std::memcpy(screen.data(), data + 16, 16);
  std::memcpy(&width, data + 32, 4);
  std::memcpy(&height, data + 36, 4);
  // A window is never larger than the virtual screen.
  width = static_cast<int32_t>(static_cast<uint32_t>(width) % 8192);
  height = static_cast<int32_t>(static_cast<uint32_t>(height) % 8192);
  const std::vector<MonitorAreas> monitors = {
      {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
      {{-1280, -1024, 0, 0}, {-1280, -984, 0, 0}},
  };
  const auto at = RestoredPosition(norm, 96, 96, width, height, monitors, screen);
  if (!at) return;
  auto onAMonitor = [&monitors](int64_t x, int64_t y) {
    for (const MonitorAreas& m : monitors)
      if (x >= m.monitor.left && x < m.monitor.right && y >= m.monitor.top && y < m.monitor.bottom)
        return true;
    return false;
  };
  FUZZ_CHECK(onAMonitor(at->x, at->y));
  FUZZ_CHECK(onAMonitor(int64_t{at->x} + width - 1, int64_t{at->y} + height - 1));
}

// Every value start-up reads, in the order of the input's lines (a line starting with 0x01 leaves
// its value out).
constexpr const char* kStartupNames[] = {
    "Digits",     "Interval",    "Monitorsize",   "IdleDelay",   "Language",    "Transparent",
    "Resetdate",  "Logdate",     "Measuredate",   "Distance",    "Time",        "Idle",
    "Background", "Dispitems",   "KeyStrokes",    "LeftClicks",  "RightClicks", "MidClicks",
    "DblClicks",  "Mousewheel",  "XClicks1",      "XClicks2",    "Running",     "DisplayMode",
    "Visible",    "AlwaysOnTop", "Orientation",   "Showhistory", "ShowRunning", "Logging",
    "Autosend",   "Hide",        "ResetEveryday", "KeepHistory", "URL",         "Alias",
    "Comment"};

void CheckStartup(std::string_view text) {
  fakes::FakeClock clock;
  fakes::FakeSystem system;
  fakes::FakeHooks hooks;
  MemoryStore store;
  fakes::Events events;
  fakes::FakeView view{events};
  fakes::FakeLogFile logFile;
  size_t n = 0;
  while (n < std::size(kStartupNames)) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (line.empty() || line[0] != '\x01') store.values[kStartupNames[n]] = std::string(line);
    ++n;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  ActivityCounters c;
  MainLogic logic(c, Platform{clock, system, hooks, store, view, logFile}, false);
  logic.FormCreate();
  const Settings& s = logic.settings();
  FUZZ_CHECK(s.digits >= 6 && s.digits <= 10);
  FUZZ_CHECK(s.interval >= kMinimumSubmitInterval && s.interval <= kMaximumSubmitInterval);
  FUZZ_CHECK(s.background <= 0xFFFFFF);
  FUZZ_CHECK(HasFourDigitYear(s.resetdate));
  FUZZ_CHECK(s.dispitems.size() >= 15);
  FUZZ_CHECK(!s.URL.empty() && !s.alias.empty());
  // The daily reset zeroes the totals on purpose.
  const bool reset =
      std::find(view.messages.begin(), view.messages.end(), "reset") != view.messages.end();
  for (int i = 0; i < kCounterCount && !reset; ++i) {
    const auto stored = store.Read(kCounterReadNames[i]);
    const auto parsed = stored ? ParseCounter(*stored) : std::optional<uint32_t>(0);
    FUZZ_CHECK(c.Hist(static_cast<Counter>(i)) == parsed.value_or(0));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckNumberReaders(text);
  CheckPlacement(data, size);
  CheckStartup(text);
  return 0;
}
