// The stored values' formats and the two saves.
#include "core/store/settings_store.h"

#include <functional>

#include "core/util/numbers.h"

namespace quillo {

void SaveGuard::TotalsReplaced() {
  for (const char* name : kCounterReadNames) unreadable.erase(std::string(name));
  for (const char* name : {"Distance", "Time", "Idle"}) unreadable.erase(std::string(name));
}

std::optional<std::string> StrictReader::Text(std::string_view name, std::string_view def) {
  try {
    return ReadStr(store_, name, def);
  } catch (const StoreError& e) {
    errors_.push_back("The stored value \"" + std::string(name) + "\" cannot be read (" + e.what() +
                      "); its default is used and it is kept as it is.");
    guard_.unreadable.insert(std::string(name));
    return std::nullopt;
  }
}

void StrictReader::Fail(std::string_view name, const std::string& text, std::string_view what,
                        std::string_view used) {
  errors_.push_back("The stored value \"" + std::string(name) + "\" ('" + text +
                    "') is not a valid " + std::string(what) + "; " + std::string(used) +
                    " is used instead and the stored text is kept.");
  guard_.unreadable.insert(std::string(name));
}

std::string StrictReader::Str(std::string_view name, std::string_view def) {
  auto text = Text(name, def);
  return text ? std::move(*text) : std::string(def);
}

uint32_t StrictReader::Counter(std::string_view name) {
  const auto text = Text(name, "0");
  if (!text) return 0;
  if (const auto v = ParseCounter(*text)) return *v;
  Fail(name, *text, "floating point value", "0");
  return 0;
}

double StrictReader::Float(std::string_view name, std::string_view def) {
  const double fallback = ParseFloat(def).value_or(0);
  const auto text = Text(name, def);
  if (!text) return fallback;
  if (const auto v = ParseFloat(*text)) return *v;
  Fail(name, *text, "floating point value", def);
  return fallback;
}

int32_t StrictReader::Integer(std::string_view name, std::string_view def) {
  const int32_t fallback = ParseInt(def).value_or(0);
  const auto text = Text(name, def);
  if (!text) return fallback;
  if (const auto v = ParseInt(*text)) return *v;
  Fail(name, *text, "integer value", def);
  return fallback;
}

uint32_t StrictReader::UInt(std::string_view name, std::string_view def) {
  const uint32_t fallback = static_cast<uint32_t>(ParseInt(def).value_or(0));
  const auto text = Text(name, def);
  if (!text) return fallback;
  // The totals are written as unsigned 32-bit sums, so accept what we write as well as a
  // negative integer (kept as its low 32 bits).
  if (const auto v = ParseInt(*text)) return static_cast<uint32_t>(*v);
  const auto f = ParseFloat(*text);
  if (f && *f >= 0 && *f <= 4294967295.0 && *f == static_cast<double>(static_cast<uint32_t>(*f)) &&
      text->find_first_of(".,eE") == std::string::npos)
    return static_cast<uint32_t>(*f);
  Fail(name, *text, "integer value", def);
  return fallback;
}

uint32_t StrictReader::Color(std::string_view name, std::string_view def) {
  const uint32_t fallback = HexToColor(def).value_or(0);
  const auto text = Text(name, def);
  if (!text) return fallback;
  if (const auto v = HexToColor(*text)) return *v;
  Fail(name, *text, "colour (six hexadecimal digits RRGGBB)", def);
  return fallback;
}

namespace {
std::string U32(uint32_t v) {
  return std::to_string(v);
}
}  // namespace

std::vector<std::string> WriteValues(KeyValueStore& store, const SaveContext& ctx,
                                     SaveGuard& guard) {
  const ActivityCounters& c = ctx.counters;
  const Settings& s = ctx.settings;
  const char sep = ctx.decimalSeparator;
  struct Step {
    const char* name;
    std::string value;
    const char* message;
  };
  const Step steps[] = {
      {"Time", U32(c.histRunSeconds + c.liveRunSeconds), "running time"},
      {"Idle", U32(c.histIdleSeconds + c.liveIdleSeconds), "idle time"},
      {"distance", FloatToStr(c.totalDistance, sep), "distance"},
      {"Transparent", std::to_string(s.Transparent), "transparent"},
      {"Displaymode", std::to_string(BoolToInt(s.distmode)), "displaymode"},
      {"AlwaysOntop", std::to_string(BoolToInt(s.ontop)), "alwaysontop"},
      {"Running", std::to_string(BoolToInt(ctx.samplerEnabled)), "current status"},
      {"Visible", std::to_string(BoolToInt(ctx.windowVisible)), "visibility"},
      {"Orientation", std::to_string(BoolToInt(s.orientation)), "orientation"},
      {"Keystrokes", U32(c.Total(Counter::kKeystrokes)), "keystrokes"},
      {"Leftclicks", U32(c.Total(Counter::kLeft)), "leftclicks"},
      {"Rightclicks", U32(c.Total(Counter::kRight)), "rightclicks"},
      {"Xclicks1", U32(c.Total(Counter::kX1)), "xclicks1"},
      {"Xclicks2", U32(c.Total(Counter::kX2)), "xclicks2"},
      {"Midclicks", U32(c.Total(Counter::kMiddle)), "midclicks"},
      {"Dblclicks", U32(c.Total(Counter::kDouble)), "dblclicks"},
      {"Mousewheel", U32(c.Total(Counter::kWheel)), "mousewheel data"},
      {"Digits", std::to_string(s.digitshor), "digits"},
      {"IdleDelay", std::to_string(s.idledelay), "idledelay"},
      {"Language", std::to_string(s.Language), "language"},
      {"resetdate", FloatToStr(s.resetdate, sep), "date"},
      {"showhistory", std::to_string(BoolToInt(s.showhistory)), "showhistory"},
      {"Logging", std::to_string(BoolToInt(s.logging)), "logging"},
      {"Logdate", std::to_string(c.logdate), "logdate"},
      {"Measuredate", std::to_string(ctx.today), "last measuring date"},
      {"showRunning", std::to_string(BoolToInt(s.showrunning)), "showrunning"},
  };
  std::vector<std::string> failures;
  for (const Step& step : steps) {
    if (!guard.MayWrite(step.name)) continue;
    try {
      WriteStr(store, step.name, step.value);
    } catch (const std::exception&) {
      failures.push_back(std::string("Quillomat : error writing ") + step.message);
    }
  }
  // What the full save wrote is at least as fresh as anything the minute save would write now.
  if (failures.empty()) guard.lastMinuteValues = MinuteSaveValues(c, sep);
  return failures;
}

std::vector<std::pair<std::string, std::string>> MinuteSaveValues(const ActivityCounters& c,
                                                                  char sep) {
  return {
      {"Distance", FloatToStr(RoundHalfEven(c.totalDistance), sep)},
      {"Time", U32(c.histRunSeconds + c.liveRunSeconds)},
      {"Idle", U32(c.histIdleSeconds + c.liveIdleSeconds)},
      {"Keystrokes", U32(c.Total(Counter::kKeystrokes))},
      {"Leftclicks", U32(c.Total(Counter::kLeft))},
      {"Rightclicks", U32(c.Total(Counter::kRight))},
      {"Xclicks1", U32(c.Total(Counter::kX1))},
      {"Xclicks2", U32(c.Total(Counter::kX2))},
      {"Midclicks", U32(c.Total(Counter::kMiddle))},
      {"Dblclicks", U32(c.Total(Counter::kDouble))},
      {"Mousewheel", U32(c.Total(Counter::kWheel))},
  };
}

std::string MinuteSave(KeyValueStore& store, const ActivityCounters& c, bool samplerEnabled,
                       char sep, SaveGuard& guard) {
  auto values = MinuteSaveValues(c, sep);
  try {
    if (values != guard.lastMinuteValues) {
      for (const auto& [name, text] : values)
        if (guard.MayWrite(name)) WriteStr(store, name, text);
      guard.lastMinuteValues = std::move(values);
    }
    WriteStr(store, "Running", std::to_string(BoolToInt(samplerEnabled)));
  } catch (const std::exception&) {
    return "Quillomat : error writing values";
  }
  return {};
}

std::string SaveDailyReset(KeyValueStore& store, const ActivityCounters& c, const Settings& s,
                           int32_t today, char sep, SaveGuard& guard) {
  auto values = MinuteSaveValues(c, sep);
  try {
    for (const auto& [name, text] : values)
      if (guard.MayWrite(name)) WriteStr(store, name, text);
    guard.lastMinuteValues = std::move(values);
    WriteStr(store, "resetdate", FloatToStr(s.resetdate, sep));
    WriteStr(store, "Measuredate", std::to_string(today));
  } catch (const std::exception&) {
    return "Quillomat : error writing values";
  }
  return {};
}

}  // namespace quillo
