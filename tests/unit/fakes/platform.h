// In-memory stand-ins for the platform the main window's logic runs on: a fixed clock, a system
// that answers with fixed facts, hooks that install unless told to fail, a view, a store and a
// history that remember what they were told, a log file that can be made to fail. The view, the
// store and the settings dialog's host also write what happens to them into one shared list of
// events, so that a test can check the order of what was done.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/app/platform.h"
#include "core/history/history_recorder.h"
#include "core/store/activity_log.h"
#include "core/store/settings_store.h"

namespace quillo::fakes {

inline constexpr double kNow = 46000.5;  // noon, 9 December 2025
inline constexpr int32_t kToday = 46000;

// What the view, the store and the host did, in order ("write Name=Value", "texts 2", …).
using Events = std::vector<std::string>;

struct FakeClock : Clock {
  double now = kNow;
  double Now() override { return now; }
};

struct FakeSystem : SystemQueries {
  std::pair<int32_t, int32_t> cursor{100, 200};
  bool cursorFails = false;
  std::optional<uint32_t> lastInput;
  bool inputDesktopIsOurs = true;
  std::vector<ScreenRect> monitors{{0, 0, 1920, 1080}};
  char separator = '.';
  bool autoStart = false;
  std::optional<std::pair<int32_t, int32_t>> CursorPos() override {
    if (cursorFails) return std::nullopt;
    return cursor;
  }
  std::optional<uint32_t> LastInputTick() override { return lastInput; }
  bool InputDesktopIsOurs() override { return inputDesktopIsOurs; }
  std::optional<uint32_t> IdleSeconds() override { return 0; }
  std::pair<int32_t, int32_t> PrimaryScreenSize() override { return {1920, 1080}; }
  std::vector<ScreenRect> Monitors() override { return monitors; }
  std::string ComputerName() override { return "desk-7"; }
  char DecimalSeparator() override { return separator; }
  std::array<std::string, 12> ShortMonthNames() override {
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  }
  bool AutoStartEntryExists() override { return autoStart; }
};

struct FakeHooks : HookBackend {
  bool fail = false;
  int64_t next = 101;
  std::vector<int64_t> removed;
  int64_t Install(HookKind) override { return fail ? 0 : next++; }
  bool Remove(HookKind, int64_t h) override {
    removed.push_back(h);
    return true;
  }
};

// The main window. The calls the settings dialog's rules make go to the events as well.
struct FakeView : MainView {
  explicit FakeView(Events& e) : events(e) {}
  Events& events;
  bool sampler = false, counting = false, debugMenu = false, visible = true, submit = false;
  std::string caption;
  uint32_t panelColor = 0;
  int32_t submitMinutes = 0;
  int language = -1;
  int samples = 0, hides = 0;
  bool answerYes = true;
  std::vector<std::string> messages, errors;
  void SetSamplerTimer(bool e) override { sampler = e; }
  void ShowCountingState(bool c, const std::string& text) override { counting = c, caption = text; }
  void SetPanelColor(uint32_t c) override {
    panelColor = c;
    events.push_back("panel colour " + ColorToHex(c));
  }
  void SetDebugMenuVisible(bool v) override {
    debugMenu = v;
    events.push_back(std::string("debug menu ") + (v ? "shown" : "hidden"));
  }
  void ApplyTexts(const MainWindowTexts& t) override {
    language = t.language;
    events.push_back("texts " + std::to_string(t.language));
  }
  void SetSubmitTimer(bool e, int32_t minutes) override {
    submit = e;
    submitMinutes = minutes;
    events.push_back(std::string("submit timer ") + (e ? "on " : "off ") + std::to_string(minutes));
  }
  PanelPresence Presence() override { return {}; }
  void ShowSample(const SampleView&) override { ++samples; }
  bool IsVisible() override { return visible; }
  void HideToTray() override { ++hides, visible = false; }
  void ShowMessage(const std::string& t) override {
    messages.push_back(t);
    events.push_back("message " + t);
  }
  bool AskYesNo(const std::string& t, const std::string&, const std::string&) override {
    messages.push_back(t);
    return answerYes;
  }
  void ShowError(const std::string& t) override { errors.push_back(t); }
};

// The store, with every write also in the events as "write Name=Value" under the name as spelt.
struct FakeStore : MemoryStore {
  explicit FakeStore(Events& e) : events(e) {}
  Events& events;
  void Write(std::string_view name, std::string_view value) override {
    events.push_back("write " + std::string(name) + "=" + std::string(value));
    MemoryStore::Write(name, value);
  }
};

// The activity log's file; `failure` makes every append fail while it holds.
struct FakeLogFile : LogFile {
  std::string contents;
  bool exists = false;
  std::optional<std::string> failure;
  int appends = 0;
  bool Exists() override { return exists; }
  std::optional<std::string> Append(std::string_view text) override {
    ++appends;
    if (failure) return failure;
    exists = true;
    contents += text;
    return std::nullopt;
  }
  int Lines() const { return static_cast<int>(std::count(contents.begin(), contents.end(), '\n')); }
};

// The history's two files in memory. `failing` makes the named operations ("read today.csv",
// "append history.csv", "replace today.csv") fail while it holds them; `deleteFailure` makes the
// deletion fail with that reason.
struct FakeHistoryFiles : HistoryFiles {
  std::map<std::string, std::string, std::less<>> files;
  std::set<std::string, std::less<>> failing;
  std::optional<std::string> deleteFailure;
  std::string Folder() override { return "C:\\Users\\me\\AppData\\Local\\Quillomat\\History\\"; }
  std::optional<std::string> Read(std::string_view name, std::string& text) override {
    if (failing.count("read " + std::string(name))) return "The file is locked.";
    const auto it = files.find(name);
    text = it == files.end() ? std::string() : it->second;
    return std::nullopt;
  }
  std::optional<std::string> ReadTail(std::string_view name, size_t maxBytes, uint64_t& size,
                                      std::string& tail) override {
    const auto it = files.find(name);
    const std::string all = it == files.end() ? std::string() : it->second;
    size = all.size();
    tail = all.substr(all.size() - std::min(all.size(), maxBytes));
    return std::nullopt;
  }
  // Before every write: a text returned fails it ("append history.csv", "replace today.csv").
  std::function<std::optional<std::string>(const std::string& operation)> beforeWrite;
  std::optional<std::string> Refused(const std::string& operation) {
    if (failing.count(operation)) return "There is not enough space on the disk.";
    return beforeWrite ? beforeWrite(operation) : std::nullopt;
  }
  std::optional<std::string> Append(std::string_view name, std::string_view text) override {
    if (auto refused = Refused("append " + std::string(name))) return refused;
    files[std::string(name)] += text;
    return std::nullopt;
  }
  std::optional<std::string> Replace(std::string_view name, std::string_view text) override {
    if (auto refused = Refused("replace " + std::string(name))) return refused;
    files[std::string(name)] = std::string(text);
    return std::nullopt;
  }
  std::optional<std::string> DeleteAll() override {
    if (deleteFailure) return deleteFailure;
    files.clear();
    return std::nullopt;
  }
};

}  // namespace quillo::fakes
