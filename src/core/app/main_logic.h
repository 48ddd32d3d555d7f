// The main window's logic: start-up, the timers' work, switching and resetting, the hooks'
// bookkeeping and debug lines, closing and exit. Written against platform.h only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/app/hook_health.h"
#include "core/app/platform.h"
#include "core/app/version.h"
#include "core/counting/activity_counters.h"
#include "core/counting/sampler.h"
#include "core/history/history_recorder.h"
#include "core/panel/main_window_texts.h"
#include "core/store/activity_log.h"
#include "core/store/settings_store.h"

namespace quillo {

inline constexpr char kApplicationTitle[] = "Quillomat 14.0";
inline constexpr const char* kWindowVersion = kVersion;
inline constexpr int32_t kMinimumSubmitInterval = 30;
inline constexpr size_t kDebugLineLimit = 1000;
inline constexpr int32_t kMaximumSubmitInterval = 1440;  // a day, as the settings dialog offers

struct Platform {
  Clock& clock;
  SystemQueries& system;
  HookBackend& hooks;
  KeyValueStore& store;
  MainView& view;
  LogFile& logFile;
  // The history's files; without them no history is kept.
  HistoryFiles* historyFiles = nullptr;
};

class MainLogic {
 public:
  MainLogic(ActivityCounters& counters, Platform platform, bool haveCommandLineParameters);

  // Start-up, in its fixed order. Values that failed to load are collected in startupErrors().
  void FormCreate();
  const std::vector<std::string>& startupErrors() const { return startupErrors_; }

  // tmrDistance: one sample, pushed to the panel. Also run to bring a panel up to date when it is
  // built or activated; while counting is off that only shows the figures as they stand.
  void tmrDistanceTimer();
  // tmrCheck: reinstall a hook that is missing, or one that went silent while input went on.
  void tmrCheckTimer();
  // tmrWriteValues: the day-change log check, then the minute save.
  void tmrWriteValuesTimer();
  // The statistics submission (start-up with "AutoSend", tmrSubmit, "Send Now !"): hands the
  // totals to whatever SetSubmitter connected, which posts them without waiting.
  void SubmitScores() {
    if (submitter_) submitter_();
  }
  void tmrSubmitTimer() { SubmitScores(); }
  void SetSubmitter(std::function<void()> submit) { submitter_ = std::move(submit); }

  void TurnOn(bool on);
  void btnonoffClick();
  void ResetCounters();
  void ResetCounter1Click();

  // The full save, with its messages shown when the program got command-line parameters.
  // Returns the messages of the steps that failed.
  std::vector<std::string> WriteValues();
  // A close request: saves, then true when the window may close (Exit), else hides to the tray.
  bool FormCloseQuery();
  void Exit1Click() { AllowClose = true; }
  // The session is ending: save everything now, the process may be ended without a destroy.
  void EndSession();
  void FormDestroy();

  void HookKeyboard();
  void UnhookKeyboard();
  void HookMouse();
  void UnhookMouse();
  void mnudebug1Click();
  void mnudebug2Click();

  // Adds a line to the debug text, which keeps its last kDebugLineLimit lines.
  void Writelog(const std::string& text);

  // The daily log check: a line for the day that ended, then the day numbers move on. A log that
  // cannot be written is reported once until a line gets through again; nothing else waits on it.
  void DailyLogCheck();
  // A line now, whatever the day ("Log Now"); a failure is always shown.
  void LogNow();
  // The language's texts for the logic and the window (an unknown index reads English).
  void SetLanguage(int language);

  // The history, for the History window: every day up to this moment, the day in progress
  // included. Damaged lines it skipped are noted once in the debug text.
  HistoryData LoadHistory();
  // The days from `from` to `to` (day numbers, both included) with everything they hold, the
  // places clicked too, for the click map: read only when it asks, as they are the bulk of the
  // history.
  HistoryData LoadHistoryPlaces(int32_t from, int32_t to);
  // The day in progress as it stands now.
  DayRecord HistoryToday();
  // "Keep a history": on, the history picks up from today's file; off, what was counted until
  // now is written and nothing more is kept. Stored as "KeepHistory".
  void SetKeepHistory(bool keep);
  // Deletes the history's files; the day in progress starts again from nothing. nullopt on
  // success, else why not.
  std::optional<std::string> DeleteHistory();
  // The folder of the history's files ("" when the program keeps none).
  std::string HistoryFolder();

  ActivityCounters& counters() { return c_; }
  Platform& platform() { return p_; }
  Settings& settings() { return settings_; }
  SaveGuard& saveGuard() { return guard_; }
  SamplerSettings samplerSettings() const;
  bool samplerEnabled() const { return samplerEnabled_; }
  int32_t Today() { return DayOf(p_.clock.Now()); }

  MainWindowTexts texts = TextsForLanguage(kEnglish);
  std::string logstring;
  bool AllowClose = false;
  // The on/off button's caption as the window shows it.
  std::string onoffCaption;

 private:
  static int32_t DayOf(double moment);
  void SetSampler(bool enabled);
  // Takes the pointer as the origin of the next step; without a reading the next good one is.
  void TakePointerOrigin();
  std::string MakeLogLine();
  // Stores the day numbers at once after an automatic log line, so that a crash before the next
  // full save cannot write the same day's line again.
  void StoreLogDays();

  ActivityCounters& c_;
  Platform p_;
  bool haveParams_;
  Settings settings_;
  SaveGuard guard_;
  SampleView view_;
  bool samplerEnabled_ = false;
  int32_t storedRunning_ = -1;
  std::vector<std::string> startupErrors_;
  ActivityLog log_;
  HookHealth health_;
  std::function<void()> submitter_;
  std::unique_ptr<HistoryRecorder> history_;  // null without history files
  // Writes the history's due parts; a failure is shown once until a write succeeds again.
  void PersistHistory();
  // The presses waiting in the counters' queue, placed on the monitors of now.
  void TakeClicks();
  HistoryData ReadHistory(const HistoryRead& read);
  void NoteHistory(std::vector<std::string> notes);
  bool historyErrorShown_ = false;
  std::set<std::string> damagedNoted_;
};

}  // namespace quillo
