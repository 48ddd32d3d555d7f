// Every stored setting and total: names, formats, defaults, the strict reads of start-up, the full
// save and the minute save.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/counting/activity_counters.h"
#include "core/store/key_value_store.h"

namespace quillo {

inline constexpr char kSettingsKeyPath[] = "Software\\Ombrelune\\Quillomat";
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutoStartValue[] = "Quillomat";
inline constexpr char kDefaultBackground[] = "48A4FF";
inline constexpr char kDefaultDispitems[] = "11111111111111";
inline constexpr char kDefaultSubmitUrl[] = "https://stats.quillomat.example/mouse.php";

// The main window's settings fields.
struct Settings {
  float monitorsize = 23.0f;
  bool distmode = false;
  bool showhistory = true;
  bool showrunning = false;  // false until start-up has read it, as the first sample sees it
  int32_t idledelay = 10;
  int32_t scrWidth = 0, scrHeight = 0;
  double resetdate = 0;
  int32_t measuredate = 0;
  bool ResetEveryday = false;
  bool logging = false;
  bool ontop = false;
  bool hideonstartup = false;
  bool orientation = false;
  int32_t Language = 0;
  int32_t Transparent = 0;
  int32_t digits = 7, digitshor = 7;
  std::string dispitems = kDefaultDispitems;
  uint32_t background = 0xFFA448;  // 48A4FF
  int32_t interval = 60;
  bool autosend = false;
  std::string URL = kDefaultSubmitUrl, alias, Comment;
  bool startup = false;
  bool keepHistory = true;  // "KeepHistory"
};

// Remembers what the saves may and may not overwrite, and what the minute save wrote last.
struct SaveGuard {
  // Stored values that could not be read this run: no save replaces them until a real figure
  // does (a reset, an import, or the dialog confirming that value).
  std::set<std::string, NameLess> unreadable;
  // Texts the minute save (or a full save) last wrote for the minute-save values.
  std::vector<std::pair<std::string, std::string>> lastMinuteValues;

  bool MayWrite(std::string_view name) const { return unreadable.count(name) == 0; }
  // A reset or an import replaced every total with a real figure.
  void TotalsReplaced();
};

// Reads values that must hold valid numbers; a failure is reported once, its default is used
// and the value is protected from being overwritten.
class StrictReader {
 public:
  StrictReader(KeyValueStore& store, SaveGuard& guard) : store_(store), guard_(guard) {}
  uint32_t Counter(std::string_view name);  // default "0"
  double Float(std::string_view name, std::string_view def);
  int32_t Integer(std::string_view name, std::string_view def);
  uint32_t UInt(std::string_view name, std::string_view def);  // "Time", "Idle"
  uint32_t Color(std::string_view name, std::string_view def);
  // A text value; one stored with a type that is not text is reported like a number that does not
  // convert, and its default is used.
  std::string Str(std::string_view name, std::string_view def);
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  std::optional<std::string> Text(std::string_view name, std::string_view def);
  void Fail(std::string_view name, const std::string& text, std::string_view what,
            std::string_view used);
  KeyValueStore& store_;
  SaveGuard& guard_;
  std::vector<std::string> errors_;
};

// Read names of the eight totals, in canonical counter order.
inline constexpr std::array<const char*, kCounterCount> kCounterReadNames = {
    "KeyStrokes", "LeftClicks", "RightClicks", "MidClicks",
    "DblClicks",  "Mousewheel", "XClicks1",    "XClicks2"};

struct SaveContext {
  const ActivityCounters& counters;
  const Settings& settings;
  bool samplerEnabled;  // "Running"
  bool windowVisible;   // "Visible"
  int32_t today;        // "Measuredate" is always the day of saving
  char decimalSeparator;
};

// The full save: 26 values, each guarded on its own. Returns the messages of the failed steps.
std::vector<std::string> WriteValues(KeyValueStore& store, const SaveContext& ctx,
                                     SaveGuard& guard);

// The texts of the values the minute save keeps up to date, in writing order.
std::vector<std::pair<std::string, std::string>> MinuteSaveValues(const ActivityCounters& c,
                                                                  char decimalSeparator);

// The minute save's store block: the totals whenever any of them changed since this process last
// wrote them, then "Running". Stops at the first failing write and returns
// "Quillomat : error writing values"; an empty string on success.
std::string MinuteSave(KeyValueStore& store, const ActivityCounters& c, bool samplerEnabled,
                       char decimalSeparator, SaveGuard& guard);

// The daily reset made permanent at once: the zeroed totals, "resetdate", and last "Measuredate"
// as `today`, so that a start after a crash later that day neither resets again nor brings back
// the totals of the day before. Stops at the first failing write (leaving "Measuredate" as it
// was, so the next start resets again rather than trust totals it never zeroed) and returns
// "Quillomat : error writing values"; an empty string on success.
std::string SaveDailyReset(KeyValueStore& store, const ActivityCounters& c, const Settings& s,
                           int32_t today, char decimalSeparator, SaveGuard& guard);

}  // namespace quillo
