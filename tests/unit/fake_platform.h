// In-memory stand-ins for the platform the main window's logic runs on: a fixed clock, a system
// that answers with fixed facts, hooks that always install, a view that records what it is told.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/app/platform.h"
#include "core/history/history_recorder.h"
#include "core/store/activity_log.h"

namespace quillo::fakes {

inline constexpr double kNow = 46000.5;  // noon, 9 December 2025
inline constexpr int32_t kToday = 46000;

struct FakeClock : Clock {
  double now = kNow;
  double Now() override { return now; }
};

struct FakeSystem : SystemQueries {
  std::pair<int32_t, int32_t> cursor{100, 200};
  bool cursorFails = false;
  std::optional<uint32_t> lastInput;
  std::optional<std::pair<int32_t, int32_t>> CursorPos() override {
    if (cursorFails) return std::nullopt;
    return cursor;
  }
  std::optional<uint32_t> LastInputTick() override { return lastInput; }
  bool inputDesktopIsOurs = true;
  bool InputDesktopIsOurs() override { return inputDesktopIsOurs; }
  std::optional<uint32_t> IdleSeconds() override { return 0; }
  std::pair<int32_t, int32_t> PrimaryScreenSize() override { return {1920, 1080}; }
  std::vector<ScreenRect> monitors{{0, 0, 1920, 1080}};
  std::vector<ScreenRect> Monitors() override { return monitors; }
  std::string ComputerName() override { return "desk-7"; }
  char DecimalSeparator() override { return '.'; }
  std::array<std::string, 12> ShortMonthNames() override {
    return {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  }
  bool AutoStartEntryExists() override { return false; }
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

struct FakeView : MainView {
  bool sampler = false, counting = false, debugMenu = false, visible = true, submit = false;
  std::string caption;
  uint32_t panelColor = 0;
  int samples = 0, hides = 0;
  bool answerYes = true;
  std::vector<std::string> messages, errors;
  void SetSamplerTimer(bool e) override { sampler = e; }
  void ShowCountingState(bool c, const std::string& text) override { counting = c, caption = text; }
  void SetPanelColor(uint32_t c) override { panelColor = c; }
  void SetDebugMenuVisible(bool v) override { debugMenu = v; }
  void ApplyTexts(const MainWindowTexts& t) override { language = t.language; }
  int language = -1;
  void SetSubmitTimer(bool e, int32_t) override { submit = e; }
  PanelPresence Presence() override { return {}; }
  void ShowSample(const SampleView&) override { ++samples; }
  bool IsVisible() override { return visible; }
  void HideToTray() override { ++hides, visible = false; }
  void ShowMessage(const std::string& t) override { messages.push_back(t); }
  bool AskYesNo(const std::string& t, const std::string&, const std::string&) override {
    messages.push_back(t);
    return answerYes;
  }
  void ShowError(const std::string& t) override { errors.push_back(t); }
};

struct FakeLogFile : LogFile {
  std::string contents;
  bool exists = false;
  std::optional<std::string> failure;
  bool Exists() override { return exists; }
  std::optional<std::string> Append(std::string_view text) override {
    if (failure) return failure;
    exists = true;
    contents += text;
    return std::nullopt;
  }
  int Lines() const { return static_cast<int>(std::count(contents.begin(), contents.end(), '\n')); }
};

// The history's two files in memory. `failing` makes the named writes ("append history.csv",
// "replace today.csv") fail while it holds them.
struct FakeHistoryFiles : HistoryFiles {
  std::map<std::string, std::string, std::less<>> files;
  std::set<std::string, std::less<>> failing;
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
    files.clear();
    return std::nullopt;
  }
};

}  // namespace quillo::fakes
