// Start-up, timers, switching, reset and shutdown of the main window.
#include "core/app/main_logic.h"

#include <cmath>

#include "core/util/datetime.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

// Drops whole lines from the front of CR LF-ended text until at most `limit` are left.
void KeepLastLines(std::string& text, size_t limit) {
  size_t lines = 0, cut = text.size();
  for (size_t i = text.size(); i-- > 0;) {
    if (text[i] != '\n') continue;
    if (++lines > limit) {
      cut = i + 1;
      break;
    }
  }
  if (lines > limit) text.erase(0, cut);
}

}  // namespace

MainLogic::MainLogic(ActivityCounters& counters, Platform platform, bool haveCommandLineParameters)
    : c_(counters), p_(platform), haveParams_(haveCommandLineParameters), log_(platform.logFile) {
  if (p_.historyFiles) history_ = std::make_unique<HistoryRecorder>(*p_.historyFiles);
}

int32_t MainLogic::DayOf(double moment) {
  return quillo::DayOf(moment);
}

SamplerSettings MainLogic::samplerSettings() const {
  SamplerSettings s;
  s.monitorsize = settings_.monitorsize;
  s.distmode = settings_.distmode;
  s.showhistory = settings_.showhistory;
  s.showrunning = settings_.showrunning;
  s.idledelay = settings_.idledelay;
  s.resetdate = settings_.resetdate;
  s.decimalSeparator = p_.system.DecimalSeparator();
  return s;
}

void MainLogic::SetSampler(bool enabled) {
  samplerEnabled_ = enabled;
  p_.view.SetSamplerTimer(enabled);
}

void MainLogic::FormCreate() {
  KeyValueStore& store = p_.store;
  Settings& s = settings_;
  AllowClose = false;
  c_.keyHook = 0;
  c_.mouseHook = 0;
  c_.ZeroLive();

  HookKeyboard();
  HookMouse();
  if (c_.keyHook != 0) SetSampler(true);
  c_.counting.store(true, std::memory_order_relaxed);

  c_.totalDistance = 0;
  c_.startTime = p_.clock.Now();
  c_.histRunSeconds = 0;
  c_.liveRunSeconds = 0;

  const auto [w, h] = p_.system.PrimaryScreenSize();
  s.scrWidth = w;
  s.scrHeight = h;
  c_.screenDiagonal = ScreenDiagonal(w, h);
  TakePointerOrigin();

  s.startup = p_.system.AutoStartEntryExists();

  // Provisional defaults.
  c_.ZeroHist();
  s.monitorsize = 23.0f;
  s.digits = 7;
  s.dispitems = kDefaultDispitems;

  storedRunning_ = ReadInt(store, "Running", -1);
  const int32_t displayMode = ReadInt(store, "DisplayMode", 0);
  ReadInt(store, "Visible", -1);  // read for completeness; the window's visibility is not restored
  const int32_t alwaysOnTop = ReadInt(store, "AlwaysOnTop", 0);
  const int32_t orientation = ReadInt(store, "Orientation", 0);
  const int32_t language = ReadInt(store, "Language", 0);
  const int32_t transparent = ReadInt(store, "Transparent", 0);
  const int32_t showHistory = ReadInt(store, "Showhistory", -1);
  const int32_t showRunning = ReadInt(store, "ShowRunning", -1);
  const int32_t logging = ReadInt(store, "Logging", 0);
  const int32_t autosend = ReadInt(store, "Autosend", 0);
  const int32_t hide = ReadInt(store, "Hide", 0);
  const int32_t resetEveryday = ReadInt(store, "ResetEveryday", -1);
  s.keepHistory = ReadInt(store, "KeepHistory", -1) == -1;

  s.showhistory = showHistory == -1;
  s.idledelay = ReadInt(store, "IdleDelay", 10);

  StrictReader strict(store, guard_);
  for (Counter counter : kAllCounters)
    c_.Hist(counter) = strict.Counter(kCounterReadNames[static_cast<int>(counter)]);
  s.interval = strict.Integer("Interval", "60");
  s.background = strict.Color("Background", kDefaultBackground);
  // Past a day the timer's milliseconds would wrap, giving posts seconds apart.
  s.interval = EnsureRange(s.interval, kMinimumSubmitInterval, kMaximumSubmitInterval);
  p_.view.SetPanelColor(s.background);
  c_.totalDistance = strict.Float("Distance", "0");
  c_.histDistance = c_.totalDistance;
  c_.histRunSeconds = strict.UInt("Time", "0");
  c_.histIdleSeconds = strict.UInt("Idle", "0");
  c_.shownIdleSeconds = c_.histIdleSeconds;

  const double now = p_.clock.Now();
  const int32_t today = DayOf(now);
  auto lenient = [&store](std::string_view name) -> std::optional<std::string> {
    try {
      return store.Read(name);
    } catch (const StoreError&) {
      return std::nullopt;
    }
  };
  {
    const auto text = lenient("Resetdate");
    const auto v = text ? ParseFloat(*text) : std::nullopt;
    // A date that does not print as "YYYYMMDD" (the submission's reset field) is not one.
    s.resetdate = v && HasFourDigitYear(*v) ? *v : now;
  }
  {
    const auto text = lenient("Logdate");
    const auto v = text ? ParseInt(*text) : std::nullopt;
    c_.logdate = v ? *v : today;
  }
  {
    const auto text = lenient("Measuredate");
    const auto v = text ? ParseInt(*text) : std::nullopt;
    s.measuredate = v ? *v : today;
  }

  // Texts stored with another type are reported and replaced by their defaults, like numbers
  // that do not convert: start-up goes on to the end either way.
  const std::string computer = p_.system.ComputerName();
  s.URL = strict.Str("URL", kDefaultSubmitUrl);
  s.alias = strict.Str("Alias", computer);
  if (s.alias.empty()) s.alias = computer;
  if (s.URL.empty()) s.URL = kDefaultSubmitUrl;
  s.Comment = strict.Str("Comment", computer);
  if (s.Comment == "debug") p_.view.SetDebugMenuVisible(true);

  s.monitorsize = static_cast<float>(strict.Float("Monitorsize", "23"));
  s.dispitems = PadRight(strict.Str("Dispitems", kDefaultDispitems), '0', 15);
  s.digits = EnsureRange(ReadInt(store, "Digits", 7), 6, 10);
  s.digitshor = s.digits;

  // First sample with what is known so far (units and running-time mode not yet read).
  tmrDistanceTimer();

  s.distmode = displayMode == -1;
  s.ontop = alwaysOnTop == -1;
  s.hideonstartup = hide == -1;
  s.orientation = orientation == -1;
  s.showhistory = showHistory == -1;
  s.showrunning = showRunning == -1;
  s.logging = logging == -1;
  s.ResetEveryday = resetEveryday == -1;
  s.Language = language;
  s.Transparent = transparent;

  s.autosend = autosend == -1;
  p_.view.SetSubmitTimer(s.autosend, s.interval);
  // The post runs in the background: a failure is reported when it comes and start-up goes on.
  if (s.autosend) SubmitScores();

  SetLanguage(s.Language);

  // Daily reset: the first start on a new day.
  if (s.ResetEveryday && today > s.measuredate) {
    p_.view.ShowMessage("reset");
    ResetCounters();
    // Stored at once, not with the next full save: a crash later today must not reset again.
    // The field keeps its day, so the log check below still writes the line of the day before.
    const std::string error =
        SaveDailyReset(store, c_, s, today, p_.system.DecimalSeparator(), guard_);
    if (!error.empty() && haveParams_) p_.view.ShowMessage(error);
  }
  DailyLogCheck();

  TurnOn(storedRunning_ == -1);
  if (!samplerEnabled_) tmrDistanceTimer();

  // The history counts from here: the live layers are what start-up made them.
  if (history_ && s.keepHistory) {
    history_->Start(c_, p_.clock.Now());
    NoteHistory(history_->TakeNotes());
  }

  startupErrors_ = strict.errors();
  // The minute save starts from what is in the store now.
  guard_.lastMinuteValues = MinuteSaveValues(c_, p_.system.DecimalSeparator());
}

void MainLogic::Writelog(const std::string& text) {
  logstring += text + "\r\n";
  // A program left running for months must not grow its debug text without end.
  KeepLastLines(logstring, kDebugLineLimit);
  p_.view.DebugLine(text);
}

void MainLogic::TakePointerOrigin() {
  const auto pos = p_.system.CursorPos();
  c_.pointerKnown = pos.has_value();
  if (pos) {
    c_.prevX = pos->first;
    c_.prevY = pos->second;
  }
}

void MainLogic::tmrDistanceTimer() {
  TakeClicks();
  if (!c_.counting.load(std::memory_order_relaxed)) {
    // Paused: the panel shows the figures as they stand; nothing is measured or added.
    Refresh(c_, samplerSettings(), p_.view.Presence(), view_);
    p_.view.ShowSample(view_);
    return;
  }
  SampleReadings r;
  r.pointer = p_.system.CursorPos();
  r.idleSeconds = p_.system.IdleSeconds();
  r.now = p_.clock.Now();
  Sample(c_, samplerSettings(), r, p_.view.Presence(), view_);
  p_.view.ShowSample(view_);
  // What was counted goes to the hour it was counted in.
  if (history_) history_->FoldIfHourChanged(c_, r.now);
}

void MainLogic::tmrCheckTimer() {
  if (c_.keyHook == 0) {
    UnhookKeyboard();
    HookKeyboard();
  }
  if (c_.mouseHook == 0) {
    UnhookMouse();
    HookMouse();
  }

  if (!p_.system.InputDesktopIsOurs()) {
    // No verdict on input the hooks could not have seen; the comparison starts afresh later.
    health_.Forget();
    return;
  }
  HealthReading reading;
  reading.lastInput = p_.system.LastInputTick();
  reading.pointer = p_.system.CursorPos();
  reading.keyboard = {c_.keyEvents.load(std::memory_order_relaxed),
                      c_.keyEventTime.load(std::memory_order_relaxed)};
  reading.mouse = {c_.mouseEvents.load(std::memory_order_relaxed),
                   c_.mouseEventTime.load(std::memory_order_relaxed)};
  const HookVerdict dead = health_.Check(reading);
  if (dead.keyboard && c_.keyHook != 0) {
    Writelog("Key Hook Lost : " + std::to_string(c_.keyHook));
    UnhookKeyboard();
    HookKeyboard();
  }
  if (dead.mouse && c_.mouseHook != 0) {
    Writelog("Mouse Hook Lost : " + std::to_string(c_.mouseHook));
    UnhookMouse();
    HookMouse();
  }
  if (dead.keyboard || dead.mouse) health_.Forget();
}

std::string MainLogic::MakeLogLine() {
  return LogLine(
      CollectLogFigures(c_, samplerSettings(), p_.clock.Now(), p_.system.ShortMonthNames(), texts));
}

void MainLogic::DailyLogCheck() {
  const LogWriteResult r = log_.WriteDailyLine(settings_.logging, Today(), settings_.measuredate,
                                               c_.logdate, [this] { return MakeLogLine(); });
  if (r.error && r.report) p_.view.ShowError(*r.error);
  if (r.written) StoreLogDays();
}

void MainLogic::StoreLogDays() {
  try {
    WriteInt(p_.store, "Logdate", c_.logdate);
    WriteInt(p_.store, "Measuredate", settings_.measuredate);
  } catch (const std::exception&) {
    // The full save writes both again; its messages are the ones a user may see.
    if (haveParams_) p_.view.ShowMessage("Quillomat : error writing last measuring date");
  }
}

void MainLogic::LogNow() {
  const LogWriteResult r = log_.WriteLine(MakeLogLine());
  if (r.error) p_.view.ShowError(*r.error);
}

void MainLogic::SetLanguage(int language) {
  texts = TextsForLanguage(language);
  onoffCaption = c_.counting.load(std::memory_order_relaxed) ? texts.onstring : texts.offstring;
  p_.view.ApplyTexts(texts);
}

void MainLogic::tmrWriteValuesTimer() {
  DailyLogCheck();
  PersistHistory();
  const std::string error =
      MinuteSave(p_.store, c_, samplerEnabled_, p_.system.DecimalSeparator(), guard_);
  if (!error.empty() && haveParams_) p_.view.ShowMessage(error);
}

void MainLogic::TakeClicks() {
  if (!c_.clicks.Waiting()) return;
  if (history_ && history_->running())
    history_->TakeClicks(c_, p_.system.Monitors());
  else
    c_.clicks.Drain([](const ClickAt&) {});
}

void MainLogic::PersistHistory() {
  if (!history_ || !history_->running()) return;
  TakeClicks();
  history_->Fold(c_, p_.clock.Now());
  const auto error = history_->Persist();
  if (!error) {
    historyErrorShown_ = false;
    return;
  }
  // Tried again at every minute; shown once until a write gets through.
  if (historyErrorShown_) return;
  historyErrorShown_ = true;
  p_.view.ShowError("The history could not be written to " + p_.historyFiles->Folder() + ": " +
                    *error);
}

void MainLogic::NoteHistory(std::vector<std::string> notes) {
  for (std::string& note : notes)
    if (damagedNoted_.insert(note).second) Writelog(note);
}

HistoryData MainLogic::LoadHistory() {
  return ReadHistory({RecordParts::kCountsAndKeys});
}

HistoryData MainLogic::LoadHistoryPlaces(int32_t from, int32_t to) {
  return ReadHistory({RecordParts::kAll, from, to});
}

HistoryData MainLogic::ReadHistory(const HistoryRead& read) {
  // Not kept now, what was kept is still there to look at.
  if (!history_ || !history_->running()) return history_ ? history_->Load(read) : HistoryData{};
  TakeClicks();
  history_->Fold(c_, p_.clock.Now());
  HistoryData h = history_->Load(read);
  std::vector<std::string> notes;
  for (const std::string& d : h.damaged) notes.push_back("History: skipped " + d);
  NoteHistory(std::move(notes));
  return h;
}

DayRecord MainLogic::HistoryToday() {
  if (!history_ || !history_->running()) {
    DayRecord none;
    none.day = Today();
    return none;
  }
  TakeClicks();
  history_->Fold(c_, p_.clock.Now());
  return history_->today();
}

void MainLogic::SetKeepHistory(bool keep) {
  settings_.keepHistory = keep;
  if (!history_ || keep == history_->running()) return;
  if (keep) {
    history_->Start(c_, p_.clock.Now());
    NoteHistory(history_->TakeNotes());
  } else {
    PersistHistory();
    history_->Stop(c_, p_.clock.Now());
  }
}

std::optional<std::string> MainLogic::DeleteHistory() {
  if (!history_) return std::nullopt;
  return history_->DeleteAll(c_, p_.clock.Now());
}

std::string MainLogic::HistoryFolder() {
  return p_.historyFiles ? p_.historyFiles->Folder() : std::string();
}

void MainLogic::TurnOn(bool on) {
  onoffCaption = on ? texts.onstring : texts.offstring;
  p_.view.ShowCountingState(on, onoffCaption);
  if (on) TakePointerOrigin();
  SetSampler(on);
  c_.counting.store(on, std::memory_order_relaxed);
}

void MainLogic::btnonoffClick() {
  TurnOn(onoffCaption != texts.onstring);
  try {
    WriteInt(p_.store, "Running", BoolToInt(samplerEnabled_));
  } catch (const std::exception& e) {
    p_.view.ShowError(e.what());
  }
}

void MainLogic::ResetCounters() {
  // The history keeps what was counted; only the totals start again.
  if (history_) history_->Fold(c_, p_.clock.Now());
  c_.totalDistance = 0;
  c_.liveRunSeconds = 0;
  c_.histRunSeconds = 0;
  c_.histIdleSeconds = 0;
  c_.histDistance = 0;
  c_.startTime = p_.clock.Now();
  c_.ZeroHist();
  settings_.resetdate = p_.clock.Now();
  c_.ZeroLive();
  c_.liveIdleSeconds = 0;
  // A paused panel shows the running time as of the reset: none.
  c_.lastSampleMoment = settings_.resetdate;
  // Zero is a real figure: the saves may now replace totals that failed to load.
  guard_.TotalsReplaced();
  if (history_) history_->LiveZeroed();
}

void MainLogic::ResetCounter1Click() {
  if (p_.view.AskYesNo(texts.Resetquestion, texts.yesstring, texts.nostring)) ResetCounters();
}

std::vector<std::string> MainLogic::WriteValues() {
  const SaveContext ctx{
      c_, settings_, samplerEnabled_, p_.view.IsVisible(), Today(), p_.system.DecimalSeparator()};
  auto failures = quillo::WriteValues(p_.store, ctx, guard_);
  PersistHistory();
  if (haveParams_)
    for (const auto& message : failures) p_.view.ShowMessage(message);
  return failures;
}

bool MainLogic::FormCloseQuery() {
  WriteValues();
  if (AllowClose) return true;
  p_.view.HideToTray();
  return false;
}

void MainLogic::EndSession() {
  WriteValues();
}

void MainLogic::FormDestroy() {
  if (c_.keyHook != 0) {
    SetSampler(false);
    UnhookKeyboard();
  }
  if (c_.mouseHook != 0) UnhookMouse();
}

namespace {
struct HookTexts {
  const char* failed;
  const char* started;
  const char* notFound;
  const char* success;
  const char* fail;
};
constexpr HookTexts kKeyTexts{
    "Key Hook Failed : ", "Key Hook Started : ", "Key UnHook Handle not found : ",
    "Key UnHook Succes : ", "Key UnHook Fail : "};
constexpr HookTexts kMouseTexts{
    "Mouse Hook Failed : ", "Mouse Hook Started : ", "Mouse UnHook Handle not found : ",
    "Mouse UnHook Succes : ", "Mouse UnHook Fail : "};

void Hook(MainLogic& logic, HookBackend& hooks, HookKind kind, int64_t& handle,
          const HookTexts& t) {
  if (handle != 0) {
    logic.Writelog(t.failed + std::to_string(handle));
    return;
  }
  handle = hooks.Install(kind);
  logic.Writelog(t.started + std::to_string(handle));
}

void Unhook(MainLogic& logic, HookBackend& hooks, HookKind kind, int64_t& handle,
            const HookTexts& t) {
  if (handle == 0) {
    logic.Writelog(std::string(t.notFound) + "0");
    return;
  }
  if (hooks.Remove(kind, handle)) {
    handle = 0;
    logic.Writelog(std::string(t.success) + "0");
  } else {
    logic.Writelog(t.fail + std::to_string(handle));
  }
}
}  // namespace

void MainLogic::HookKeyboard() {
  Hook(*this, p_.hooks, HookKind::kKeyboard, c_.keyHook, kKeyTexts);
}
void MainLogic::UnhookKeyboard() {
  Unhook(*this, p_.hooks, HookKind::kKeyboard, c_.keyHook, kKeyTexts);
}
void MainLogic::HookMouse() {
  Hook(*this, p_.hooks, HookKind::kMouse, c_.mouseHook, kMouseTexts);
}
void MainLogic::UnhookMouse() {
  Unhook(*this, p_.hooks, HookKind::kMouse, c_.mouseHook, kMouseTexts);
}

void MainLogic::mnudebug1Click() {
  Writelog("Key Hook : " + std::to_string(c_.keyHook));
  Writelog("Mouse Hook : " + std::to_string(c_.mouseHook));
}

void MainLogic::mnudebug2Click() {
  UnhookKeyboard();
  HookKeyboard();
  UnhookMouse();
  HookMouse();
  mnudebug1Click();
}

}  // namespace quillo
